// The desktop entry passes the desktop's own checker, and the install script
// puts the built program and its icon in the user's application menu and
// takes them away again.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSource = QStringLiteral(PINAKOS_SOURCE_DIR);
const QString kBuild = QStringLiteral(PINAKOS_BUILD_DIR);

struct Run
{
    int code = -1;
    QString out;
};

// Runs the install script with the given home and build folders.
Run installScript(const QString& home, const QString& build, const QStringList& args = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("PINAKOS_BUILD_DIR"), build);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), QStringList{kSource + QStringLiteral("/scripts/install-desktop.sh")} + args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

Run validate(const QString& file)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("desktop-file-validate"), {file});
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

bool haveValidator() { return !QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty(); }

// The value of a key of the entry's main group.
QString keyOf(const QString& entry, const QString& key)
{
    const QRegularExpression re(QStringLiteral("^") + key + QStringLiteral("=(.*)$"),
                                QRegularExpression::MultilineOption);
    return re.match(entry).captured(1);
}

QString readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestDesktopEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryValidates()
    {
        if (!haveValidator())
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
        const Run r = validate(kSource + QStringLiteral("/pinakos.desktop"));
        QVERIFY2(r.code == 0 && r.out.trimmed().isEmpty(), qPrintable(r.out));
        const QString entry = readAll(kSource + QStringLiteral("/pinakos.desktop"));
        QCOMPARE(keyOf(entry, QStringLiteral("Name")), QStringLiteral("Pinakos"));
        QCOMPARE(keyOf(entry, QStringLiteral("Icon")), QStringLiteral("pinakos"));
    }

    void iconsDrawnByTheBuild_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48") << 48;
        QTest::newRow("256") << 256;
    }
    void iconsDrawnByTheBuild()
    {
        QFETCH(int, size);
        const QImage icon(kBuild + QStringLiteral("/icons/pinakos-%1.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0); // rounded corners
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void installsAndRemoves_data()
    {
        QTest::addColumn<bool>("oddFolder");
        QTest::newRow("the build folder") << false;
        QTest::newRow("a folder with blanks and a dollar") << true;
    }
    void installsAndRemoves()
    {
        QFETCH(bool, oddFolder);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QString build = kBuild;
        QTemporaryDir odd;
        if (oddFolder) {
            // A stand-in program folder where a user might keep it.
            build = odd.filePath(QStringLiteral("Le mie $cose/build"));
            QVERIFY(QDir().mkpath(build + QStringLiteral("/Pinakos")));
            QVERIFY(QDir().mkpath(build + QStringLiteral("/icons")));
            QFile exe(build + QStringLiteral("/Pinakos/pinakos"));
            QVERIFY(exe.open(QIODevice::WriteOnly));
            exe.write("#!/bin/sh\n");
            exe.close();
            exe.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            for (const char* png : {"pinakos-48.png", "pinakos-256.png"})
                QVERIFY(QFile::copy(kBuild + QStringLiteral("/icons/") + QLatin1String(png),
                                    build + QStringLiteral("/icons/") + QLatin1String(png)));
        }
        const QString data = home.filePath(QStringLiteral(".local/share"));
        const QString entryFile = data + QStringLiteral("/applications/pinakos.desktop");
        const QStringList icons{data + QStringLiteral("/icons/hicolor/scalable/apps/pinakos.svg"),
                                data + QStringLiteral("/icons/hicolor/48x48/apps/pinakos.png"),
                                data + QStringLiteral("/icons/hicolor/256x256/apps/pinakos.png")};

        const Run in = installScript(home.path(), build);
        QVERIFY2(in.code == 0, qPrintable(in.out));
        QVERIFY(QFileInfo(entryFile).isFile());
        for (const QString& i : icons)
            QVERIFY2(QFileInfo(i).isFile(), qPrintable(i));
        QCOMPARE(QImage(icons.at(1)).size(), QSize(48, 48));

        const QString entry = readAll(entryFile);
        const QString program = QDir(build).canonicalPath() + QStringLiteral("/Pinakos/pinakos");
        QCOMPARE(keyOf(entry, QStringLiteral("TryExec")), program);
        QCOMPARE(keyOf(entry, QStringLiteral("Path")), QDir(build).canonicalPath() + QStringLiteral("/Pinakos"));
        if (oddFolder)
            QCOMPARE(keyOf(entry, QStringLiteral("Exec")),
                     QStringLiteral("\"") + QString(program).replace(QStringLiteral("$"), QStringLiteral("\\\\$"))
                         + QStringLiteral("\""));
        else
            QCOMPARE(keyOf(entry, QStringLiteral("Exec")), program);
        if (haveValidator()) {
            const Run r = validate(entryFile);
            QVERIFY2(r.code == 0 && r.out.trimmed().isEmpty(), qPrintable(r.out));
        }

        // Installing again replaces the entry; removing takes everything away.
        QCOMPARE(installScript(home.path(), build).code, 0);
        const Run out = installScript(home.path(), build, {QStringLiteral("--remove")});
        QVERIFY2(out.code == 0, qPrintable(out.out));
        QVERIFY(!QFileInfo::exists(entryFile));
        for (const QString& i : icons)
            QVERIFY2(!QFileInfo::exists(i), qPrintable(i));
    }

    void refusesAnUnbuiltFolder()
    {
        QTemporaryDir home, build;
        const Run r = installScript(home.path(), build.path());
        QVERIFY(r.code != 0);
        QVERIFY2(r.out.contains(QStringLiteral("scripts/build.sh")), qPrintable(r.out));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral(".local/share/applications/pinakos.desktop"))));
        QVERIFY(installScript(home.path(), build.path(), {QStringLiteral("--bogus")}).code != 0);
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "test_desktop_entry.moc"
