// SPDX-License-Identifier: GPL-3.0-or-later
// Files are found beside the program or in its install and the player's data folder; Wayland runs through XWayland; any locale gives Xlib UTF-8.

#include "app/program.h"

#include <QtTest>
#include <clocale>
#include <langinfo.h>

struct Install { QStringList files; QString dataHome, data, own; }; // under a temporary root; "" is the default data home
struct Platform { QByteArray chosen{}, session{}, display{}, platform{}; };
struct Locale { QByteArray lcAll{}, lang{}; };

static void setEnv(const char *name, const QByteArray &value) { value.isEmpty() ? qunsetenv(name) : qputenv(name, value); }

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void locations_data() {
        QTest::addColumn<Install>("at");
        const QString shared = "share/morvalin/hires.txt", xdgOwn = "xdg/morvalin/sajat.txt";
        QTest::newRow("portable") << Install{{"bin/hires.txt", shared}, "xdg", "bin", "bin/sajat.txt"};
        QTest::newRow("installed") << Install{{shared}, "xdg", "share/morvalin", xdgOwn};
        QTest::newRow("installed, default data home") << Install{{shared}, "", "share/morvalin", "home/.local/share/morvalin/sajat.txt"};
        QTest::newRow("in the XDG data folders") << Install{{"dirs/morvalin/hires.txt"}, "xdg", "dirs/morvalin", xdgOwn};
    }
    void locations() {
        QFETCH(Install, at);
        QTemporaryDir root;
        for (const QString &f : at.files)
            QVERIFY(QDir(root.path()).mkpath(QFileInfo(f).path()) && QFile(root.filePath(f)).open(QIODevice::WriteOnly));
        setEnv("HOME", root.filePath("home").toUtf8());
        setEnv("XDG_DATA_HOME", at.dataHome.isEmpty() ? QByteArray() : root.filePath(at.dataHome).toUtf8());
        setEnv("XDG_DATA_DIRS", root.filePath("dirs").toUtf8());
        const program::Locations found = program::locate(root.filePath("bin"));
        QCOMPARE(found.dataFolder, root.filePath(at.data));
        QCOMPARE(found.ownList, root.filePath(at.own));
    }

    void waylandRunsThroughXWayland_data() {
        QTest::addColumn<Platform>("env");
        QTest::newRow("Wayland session") << Platform{.session = "wayland", .display = ":0", .platform = "xcb"};
        QTest::newRow("the player's choice wins") << Platform{"wayland", "wayland", ":0", "wayland"};
        QTest::newRow("X11 session") << Platform{.session = "x11", .display = ":0"};
        QTest::newRow("no XWayland to run on") << Platform{.session = "wayland"};
    }
    void waylandRunsThroughXWayland() {
        QFETCH(Platform, env);
        setEnv("QT_QPA_PLATFORM", env.chosen);
        setEnv("XDG_SESSION_TYPE", env.session);
        setEnv("DISPLAY", env.display);
        qunsetenv("WAYLAND_DISPLAY");
        program::preferXcbOnWayland();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), env.platform);
    }

    void characterTypeBecomesUtf8_data() {
        QTest::addColumn<Locale>("env");
        QTest::newRow("no locale at all") << Locale{};
        QTest::newRow("POSIX") << Locale{.lang = "POSIX"};
        QTest::newRow("LC_ALL=C over a UTF-8 LANG") << Locale{"C", "C.UTF-8"};
        QTest::newRow("a locale not installed") << Locale{.lang = "xx_XX.ISO-8859-2"};
        QTest::newRow("already UTF-8") << Locale{.lang = "C.UTF-8"};
    }
    void characterTypeBecomesUtf8() {
        QFETCH(Locale, env);
        for (const char *name : {"LC_CTYPE", "LANGUAGE"}) qunsetenv(name);
        setEnv("LC_ALL", env.lcAll);
        setEnv("LANG", env.lang);
        std::setlocale(LC_ALL, "C");
        program::useUtf8Locale();
        std::setlocale(LC_ALL, ""); // what the application object does next with the environment
        QCOMPARE(QByteArray(nl_langinfo(CODESET)), QByteArray("UTF-8"));
        if (env.lang == "C.UTF-8" && env.lcAll.isEmpty()) QVERIFY(!qEnvironmentVariableIsSet("LC_CTYPE")); // nothing to mend
    }
};

QTEST_APPLESS_MAIN(TestProgram)
#include "tst_program.moc"
