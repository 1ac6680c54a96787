#pragma once

#include <QString>
#include <QStringList>

// The command line of the shell:
//   stockcheck [--db sqlite:PATH | --db postgresql://...] [--demo]
//              [--user NAME --password PW --lang chs|CHT|EN] [--screenshot FILE]
struct ShellOptions
{
    QString dbUrl;
    bool demo = false; // create and fill the database when it is missing or empty
    QString user;      // with it the login dialog is skipped
    QString password;
    QString language;   // "chs", "CHT" or "EN"; empty: the remembered one
    QString screenshot; // grab the main window into this file and quit

    bool skipsLogin() const { return !user.isEmpty(); }

    // False with a message (in English: the command line is for scripts) when the
    // arguments cannot be used.
    static bool parse(const QStringList &arguments, ShellOptions *options, QString *error);
    static QString usage();
    // "chs", "CHT" or "EN" for any spelling of them; empty for anything else.
    static QString normalizedLanguage(const QString &text);
};
