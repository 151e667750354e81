// Whatever locale the game is started in, its character type ends up UTF-8,
// the encoding Qt hands Xlib its window titles in.

#include "app/program.h"

#include <QtTest>
#include <clocale>
#include <langinfo.h>

class TestProgram : public QObject
{
    Q_OBJECT
private slots:
    void characterTypeBecomesUtf8_data();
    void characterTypeBecomesUtf8();
};

void TestProgram::characterTypeBecomesUtf8_data()
{
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lang");
    QTest::newRow("no locale at all") << QByteArray() << QByteArray();
    QTest::newRow("POSIX") << QByteArray() << QByteArray("POSIX");
    QTest::newRow("LC_ALL=C over a UTF-8 LANG") << QByteArray("C") << QByteArray("C.UTF-8");
    QTest::newRow("a locale not installed") << QByteArray() << QByteArray("xx_XX.ISO-8859-2");
    QTest::newRow("already UTF-8") << QByteArray() << QByteArray("C.UTF-8");
}

void TestProgram::characterTypeBecomesUtf8()
{
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lang);
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG", "LANGUAGE"})
        qunsetenv(name);
    if (!lcAll.isEmpty())
        qputenv("LC_ALL", lcAll);
    if (!lang.isEmpty())
        qputenv("LANG", lang);
    std::setlocale(LC_ALL, "C");

    program::useUtf8Locale();
    // What the application object does next with the environment.
    std::setlocale(LC_ALL, "");
    QCOMPARE(QByteArray(nl_langinfo(CODESET)), QByteArray("UTF-8"));
    if (lang == "C.UTF-8" && lcAll.isEmpty())
        QVERIFY(!qEnvironmentVariableIsSet("LC_CTYPE")); // nothing to mend
}

QTEST_APPLESS_MAIN(TestProgram)
#include "tst_program.moc"
