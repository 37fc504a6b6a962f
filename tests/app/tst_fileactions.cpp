// The widget side of the shared utilities: messages of opening files and of the recycle
// bin, the colour dialogs' custom colours, and colour texts of system colours.
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "common/colortext.h"
#include "platform/customcolors.h"
#include "platform/messagebox.h"
#include "platform/shellopen.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

struct TShownMessage
{
    TMsgKind Kind;
    QString Text;
};

// Stands in for the desktop's file handler.
class FileOpener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl &url) { Opened.append(url); }
};

} // namespace

class TestFileActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_dir;
    QList<TShownMessage> m_messages;
    const QString m_key = QStringLiteral("Software\\Pendwick");

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        qputenv("HOME", m_dir.filePath(QStringLiteral("home")).toLocal8Bit());
        SetMessageHook([this](TMsgKind kind, const QString &, const QString &text, int) {
            m_messages.append({kind, text});
            return int(mbOK);
        });
    }
    void cleanupTestCase() { SetMessageHook(nullptr); }
    void init() { m_messages.clear(); }

    void shellOpenOfMissingFileSaysSo()
    {
        const QString missing = m_dir.filePath(QStringLiteral("missing.html"));
        QCOMPARE(ShellOpen(missing), 2);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].Kind, mkError);
        QCOMPARE(m_messages[0].Text, QStringLiteral("File not found"));
    }

    void shellOpenHandsTheFileOnQuietly()
    {
        const QString file = m_dir.filePath(QStringLiteral("page one.html"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.close();
        FileOpener opener;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "Open");
        const int code = ShellOpen(file);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(code > 32);
        QCOMPARE(opener.Opened, QList<QUrl>{QUrl::fromLocalFile(file)});
        QVERIFY(m_messages.isEmpty());
    }

    void recycleBinFailureSaysSoAndKeepsNothingElse()
    {
        const QString missing = m_dir.filePath(QStringLiteral("gone.html"));
        QVERIFY(!MoveToRecycleBin(missing));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].Kind, mkError);
        QCOMPARE(m_messages[0].Text, QStringLiteral("Could not move ") + missing + QStringLiteral(" to the Recycle Bin."));

        const QString file = m_dir.filePath(QStringLiteral("old.html"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.close();
        QVERIFY(MoveToRecycleBin(file));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(m_messages.size(), 1);
    }

    void customColoursFromEmptyStoreAreWhite()
    {
        ConfigStore::EraseKey(m_key + QStringLiteral("\\CustomColors"));
        QColorDialog::setCustomColor(4, Qt::red);
        LoadCustomColors(m_key);
        for (int i = 0; i < CustomColorCount; ++i)
            QCOMPARE(QColorDialog::customColor(i), QColor(Qt::white));
    }

    void customColoursSaveAndLoad()
    {
        for (int i = 0; i < CustomColorCount; ++i)
            QColorDialog::setCustomColor(i, Qt::white);
        QColorDialog::setCustomColor(2, QColor(0x12, 0x34, 0x56));
        SaveCustomColors(m_key);
        const QString listKey = m_key + QStringLiteral("\\CustomColors");
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color1"), QString()), QStringLiteral("ColorA=FFFFFF"));
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color3"), QString()), QStringLiteral("ColorC=563412"));
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color16"), QString()), QStringLiteral("ColorP=FFFFFF"));

        QColorDialog::setCustomColor(2, Qt::black);
        LoadCustomColors(m_key);
        QCOMPARE(QColorDialog::customColor(2), QColor(0x12, 0x34, 0x56));
    }

    // System colours are written as the colour they currently stand for.
    void systemColoursResolved_data()
    {
        QTest::addColumn<int>("colour");
        QTest::newRow("window") << int(Colors::clWindow);
        QTest::newRow("window text") << int(Colors::clWindowText);
        QTest::newRow("button face") << int(Colors::clBtnFace);
    }
    void systemColoursResolved()
    {
        QFETCH(int, colour);
        const QColor shown = ColorToQColor(colour);
        QCOMPARE(ColorToHTML(colour), shown.name().toUpper());
        QCOMPARE(CustomColorEntryColor(CustomColorEntry(0, colour)), QColorToColor(shown));
    }
};

QTEST_MAIN(TestFileActions)
#include "tst_fileactions.moc"
