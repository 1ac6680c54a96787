#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The catalog update script on a small source tree: which literals become catalog
// texts, and what happens to translations when texts come and go.
class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir root;

    bool write(const QString &relative, const QByteArray &text)
    {
        const QString path = root.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }
    QString run(const QStringList &extra = {})
    {
        QProcess script;
        script.start(QStringLiteral("python3"),
                     QStringList{QStringLiteral(STOCKCHECK_SOURCE_DIR "/scripts/update-translations"),
                                 QStringLiteral("--root"), root.path(), QStringLiteral("--no-opencc")} +
                         extra);
        if (!script.waitForFinished(30000) || script.exitCode() != 0)
            return QStringLiteral("failed: ") + QString::fromUtf8(script.readAllStandardError());
        return QString::fromUtf8(script.readAllStandardOutput());
    }
    // source -> (translation, type) of a catalog
    QMap<QString, QPair<QString, QString>> catalog(const QString &name)
    {
        QFile file(root.filePath(QStringLiteral("translations/") + name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(file.readAll());
        static const QRegularExpression message(
            QStringLiteral("<source>(.*?)</source>\\s*<translation(?: type=\"(\\w+)\")?>(.*?)</translation>"),
            QRegularExpression::DotMatchesEverythingOption);
        QMap<QString, QPair<QString, QString>> entries;
        for (auto it = message.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            entries.insert(m.captured(1), {m.captured(3), m.captured(2)});
        }
        return entries;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
    }

    void collectsTextsAndKeepsTranslations()
    {
        // (written line by line: a raw string holding raw strings trips up moc)
        const QByteArrayList source = {
            "// LoadText(\"注释里的\")",
            "const char *const sql = R\"(SELECT LoadText('原始字符串里的') FROM t)\";",
            "static const char *const caption = N_(\"标记的\");",
            "void f(int n, const QString &name)",
            "{",
            "    show(LoadText(\"简单\"));",
            "    show(FormatText(\"第%1行\", {n}));",
            "    show(LoadText(QStringLiteral(\"包起来的\")));",
            "    show(LoadText(\"分两段\" \"写的\"));",
            "    show(LoadText(\"甲^|^\" + LiteralText(name) + \"^|^乙\"));",
            "    show(LoadText(QStringLiteral(\"拼接的\") + name));",
            "    show(LoadText(name));",
            "    show(LoadText(\"带\\\"引号\\\"的\"));",
            "}",
        };
        QVERIFY(write(QStringLiteral("src/a/one.cpp"), source.join('\n')));
        QVERIFY(run().contains(QLatin1String("stockcheck_en.ts: 8 texts")));
        const auto en = catalog(QStringLiteral("stockcheck_en.ts"));
        QStringList expected{"简单", "第%1行", "包起来的", "分两段写的", "甲", "乙", "带\"引号\"的", "标记的"};
        expected.sort();
        QCOMPARE(QStringList(en.keys()), expected);

        // a translation is kept; a text that went away is vanished, and dropped
        // when it never had a translation
        QVERIFY(write(QStringLiteral("tr.tsv"), "简单\tSimple\n标记的\tMarked\n"));
        run({QStringLiteral("--apply"), QStringLiteral("en"), root.filePath(QStringLiteral("tr.tsv"))});
        QVERIFY(write(QStringLiteral("src/a/one.cpp"),
                      "void f() { show(LoadText(\"简单\")); show(LoadText(\"新的\")); }\n"));
        run();
        const auto after = catalog(QStringLiteral("stockcheck_en.ts"));
        QCOMPARE(after.value(QStringLiteral("简单")), (QPair<QString, QString>{"Simple", ""}));
        QCOMPARE(after.value(QStringLiteral("标记的")), (QPair<QString, QString>{"Marked", "vanished"}));
        QCOMPARE(after.value(QStringLiteral("新的")), (QPair<QString, QString>{"", "unfinished"}));
        QVERIFY(!after.contains(QStringLiteral("甲")));
    }
};

STOCKCHECK_TEST(TestTranslations)
#include "tst_translations.moc"
