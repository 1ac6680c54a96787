#pragma once

#include <QString>
#include <QVariantList>

// Marks a text for the translation catalogs where it is stored before it is shown
// (captions in tables); LoadText() translates it when it is used.
#define N_(text) text

// Every message and caption passes through LoadText: the Simplified Chinese source
// text in, the user's language out. A composite text joins pieces with "^|^"; a
// piece that begins with "~$~" is taken literally (a number, a name).
QString LoadText(const QString &text);
QString LoadText(const char *text);
// LoadText, then "%1", "%2", ... filled with the parameters in order (NULL is empty).
QString FormatText(const QString &text, const QVariantList &params);
QString FormatText(const char *text, const QVariantList &params);
// A literal piece for a composite text.
QString LiteralText(const QString &text);
