// The image dialog's fields and the IMG tag built from them, without showing the dialog.
#include <QImage>
#include <QtTest>

#include "dialogs/imagetag.h"
#include "platform/configstore.h"
#include "testsupport.h"

class TestImageTag : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { SetLowerCaseTags(false); }
    void newImage_data();
    void newImage();
    void editImage_data();
    void editImage();
    void readFields_data();
    void readFields();
    void autoSize_data();
    void autoSize();
    void autoFillSetting_data();
    void autoFillSetting();
    void lowerCaseFilesReadsTheRealFile();
    void rebase();
    void clearKeepsSpacingAndLoop();
    void droppedFiles_data();
    void droppedFiles();
    void complete();

private:
    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_web;
    QString m_logo;        // images/logo.gif, 120 x 60
    QString m_mixed;       // Images/Logo.GIF, 33 x 17 (a different file on this file system)
    QString m_png;         // images/photo.png, 7 x 5
};

void TestImageTag::initTestCase()
{
    m_config = UseTemporaryConfig();
    QVERIFY(m_web.isValid());
    QVERIFY(QDir(m_web.path()).mkpath("images"));
    QVERIFY(QDir(m_web.path()).mkpath("Images"));
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    m_logo = m_web.filePath("images/logo.gif");
    m_mixed = m_web.filePath("Images/Logo.GIF");
    m_png = m_web.filePath("images/photo.png");
    QVERIFY(write(m_logo, GifBytes(120, 60)));
    QVERIFY(write(m_mixed, GifBytes(33, 17)));
    QImage png(7, 5, QImage::Format_RGB32);
    png.fill(Qt::red);
    QVERIFY(png.save(m_png, "PNG"));
}

void TestImageTag::init()
{
    SetLowerCaseTags(false);
    ConfigStore::EraseKey("Software\\Pendwick");
}

void TestImageTag::newImage_data()
{
    QTest::addColumn<QString>("align");
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("useMap");
    QTest::addColumn<bool>("isMap");
    QTest::addColumn<bool>("lowerCaseTags");
    QTest::addColumn<QString>("expected");
    QTest::newRow("source file, everything else left alone")
        << "" << "" << "" << false << false << "<IMG SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 BORDER=0>";
    QTest::newRow("align, alt text, use map and ISMAP")
        << "LEFT" << "Our logo" << "nav" << true << false
        << "<IMG SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 BORDER=0 ALIGN=\"LEFT\" ALT=\"Our logo\" "
           "USEMAP=\"#nav\" ISMAP>";
    QTest::newRow("use map already starting with #")
        << "" << "" << "#nav" << false << false
        << "<IMG SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 BORDER=0 USEMAP=\"#nav\">";
    QTest::newRow("lower-case tags keep the value case")
        << "LEFT" << "Our Logo" << "" << true << true
        << "<img src=\"images/logo.gif\" width=120 height=60 border=0 align=\"LEFT\" alt=\"Our Logo\" ismap>";
}

void TestImageTag::newImage()
{
    QFETCH(QString, align);
    QFETCH(QString, alt);
    QFETCH(QString, useMap);
    QFETCH(bool, isMap);
    QFETCH(bool, lowerCaseTags);
    QFETCH(QString, expected);
    SetLowerCaseTags(lowerCaseTags);
    TDialogContext context;
    context.BaseFolder = m_web.path();
    context.FileName = m_logo;
    TImageFields fields = OpenImageFields(context, true);
    fields.Align = align;
    fields.Alt = alt;
    fields.UseMap = useMap;
    fields.IsMap = isMap;
    QCOMPARE(BuildImageTag(fields, context), (TTagResult{expected, QString()}));
}

void TestImageTag::editImage_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("clearing the width keeps ID=logo")
        << "<IMG SRC=\"a.gif\" ID=logo WIDTH=10>" << "Width" << "" << "<IMG SRC=\"a.gif\" ID=logo>";
    QTest::newRow("clearing ISMAP")
        << "<IMG SRC=\"a.gif\" ALT=\"x\" ISMAP>" << "IsMap" << "0" << "<IMG SRC=\"a.gif\" ALT=\"x\">";
    QTest::newRow("ticking ISMAP appends it")
        << "<IMG SRC=\"a.gif\" ALT=\"x\">" << "IsMap" << "1" << "<IMG SRC=\"a.gif\" ALT=\"x\" ISMAP>";
    QTest::newRow("ISMAP inside the alt text is not the flag")
        << "<IMG SRC=\"a.gif\" ALT=\"no ISMAP here\">" << "IsMap" << "0"
        << "<IMG SRC=\"a.gif\" ALT=\"no ISMAP here\">";
    QTest::newRow("absolute URL kept as typed")
        << "<IMG SRC=\"http://Example.com/Logo.GIF\">" << "Alt" << "Logo"
        << "<IMG SRC=\"http://Example.com/Logo.GIF\" ALT=\"Logo\">";
    QTest::newRow("border absent stays absent")
        << "<IMG SRC=\"a.gif\" WIDTH=5>" << "Width" << "6" << "<IMG SRC=\"a.gif\" WIDTH=6>";
    QTest::newRow("dynamic source attributes stay without a dyn source")
        << "<IMG SRC=\"a.gif\" LOOP=3 START=MOUSEOVER CONTROLS>" << "Alt" << "x"
        << "<IMG SRC=\"a.gif\" LOOP=3 START=MOUSEOVER CONTROLS ALT=\"x\">";
    QTest::newRow("untouched quoted infinite loop left as it stood")
        << "<IMG DYNSRC=\"c.avi\" LOOP=\"INFINITE\">" << "Alt" << "x"
        << "<IMG DYNSRC=\"c.avi\" LOOP=\"INFINITE\" ALT=\"x\">";
    QTest::newRow("counted loop with delay")
        << "<IMG DYNSRC=\"c.avi\" LOOP=3>" << "DynLoopDelay" << "250"
        << "<IMG DYNSRC=\"c.avi\" LOOP=3 LOOPDELAY=250>";
    QTest::newRow("controls cleared")
        << "<IMG DYNSRC=\"c.avi\" LOOP=INFINITE START=FILEOPEN CONTROLS>" << "DynControls" << "0"
        << "<IMG DYNSRC=\"c.avi\" LOOP=INFINITE START=FILEOPEN>";
    QTest::newRow("untouched mixed-case source kept")
        << "<IMG SRC=\"Images/Logo.GIF\" WIDTH=10>" << "Width" << "20" << "<IMG SRC=\"Images/Logo.GIF\" WIDTH=20>";
    QTest::newRow("typed source lower-cased, its query not")
        << "<IMG SRC=\"a.gif\">" << "Source" << "Pics/B.GIF?V=X" << "<IMG SRC=\"pics/b.gif?V=X\">";
    QTest::newRow("untouched use map without # kept")
        << "<IMG SRC=\"a.gif\" USEMAP=\"nav\">" << "Alt" << "x" << "<IMG SRC=\"a.gif\" USEMAP=\"nav\" ALT=\"x\">";
}

void TestImageTag::editImage()
{
    QFETCH(QString, tag);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    TDialogContext context;
    context.EditedTag = tag;
    context.BaseFolder = m_web.path();
    context.LowerCaseFiles = true;   // as the program starts
    TImageFields fields = OpenImageFields(context, true);
    if (field == "Source")
        fields.Source = value;
    else if (field == "Width")
        fields.Width = value;
    else if (field == "IsMap")
        fields.IsMap = value == "1";
    else if (field == "Alt")
        fields.Alt = value;
    else if (field == "DynLoopDelay")
        fields.DynLoopDelay = value;
    else if (field == "DynControls")
        fields.DynControls = value == "1";
    QCOMPARE(BuildImageTag(fields, context), (TTagResult{expected, QString()}));
}

void TestImageTag::readFields_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("expected");   // Source Width Height Border Align UseMap DynStart DynLoop
    QTest::addColumn<bool>("isMap");
    QTest::addColumn<bool>("infinite");
    QTest::newRow("plain image")
        << "<IMG SRC=\"a.gif\" WIDTH=10 HEIGHT=\"20\" ALIGN=left USEMAP=\"#m\" ISMAP>"
        << QStringList{"a.gif", "10", "20", "", "left", "#m", "", ""} << true << false;
    QTest::newRow("video looping forever")
        << "<img dynsrc=clip.avi loop=infinite start=mouseover border=2>"
        << QStringList{"", "", "", "2", "", "", "mouseover", "1"} << false << true;
    QTest::newRow("video looping three times")
        << "<IMG DYNSRC=\"clip.avi\" LOOP=3>" << QStringList{"", "", "", "", "", "", "", "3"} << false << false;
}

void TestImageTag::readFields()
{
    QFETCH(QString, tag);
    QFETCH(QStringList, expected);
    QFETCH(bool, isMap);
    QFETCH(bool, infinite);
    const TImageFields f = ReadImageFields(tag);
    QCOMPARE((QStringList{f.Source, f.Width, f.Height, f.Border, f.Align, f.UseMap, f.DynStart, f.DynLoop}), expected);
    QCOMPARE(f.IsMap, isMap);
    QCOMPARE(f.DynInfinite, infinite);
}

void TestImageTag::autoSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("gif") << "images/logo.gif" << true << "120" << "60";
    QTest::newRow("png") << "images/photo.png" << true << "7" << "5";
    QTest::newRow("auto-size off leaves the size empty") << "images/logo.gif" << false << "" << "";
    QTest::newRow("missing image") << "images/gone.gif" << true << "" << "";
    QTest::newRow("not an image kind") << "images/readme.txt" << true << "" << "";
}

void TestImageTag::autoSize()
{
    QFETCH(QString, file);
    QFETCH(bool, autoSize);
    QFETCH(QString, width);
    QFETCH(QString, height);
    TImageFields fields;
    fields.Width = "999";
    fields.Height = "999";
    SetImageSourceFile(fields, m_web.filePath(file), m_web.path(), false, autoSize);
    QCOMPARE(fields.Width, width);
    QCOMPARE(fields.Height, height);
    QCOMPARE(fields.Source, file);
}

void TestImageTag::autoFillSetting_data()
{
    QTest::addColumn<QString>("value");   // "absent": no value stored
    QTest::addColumn<bool>("on");
    QTest::newRow("absent") << "absent" << true;
    QTest::newRow("true") << "-1" << true;
    QTest::newRow("false") << "0" << false;
    QTest::newRow("other text") << "1" << false;
}

void TestImageTag::autoFillSetting()
{
    QFETCH(QString, value);
    QFETCH(bool, on);
    if (value != "absent")
        ConfigStore::Write("Software\\Pendwick", "AutoFillImageSize", value);
    QCOMPARE(AutoFillImageSizeSetting(), on);
    TDialogContext context;
    context.BaseFolder = m_web.path();
    const TTagResult dropped = ImageFromFile(context, m_logo, false);
    QCOMPARE(dropped.StartText, on ? QString("<IMG SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 BORDER=0>")
                                   : QString("<IMG SRC=\"images/logo.gif\" BORDER=0>"));
}

void TestImageTag::lowerCaseFilesReadsTheRealFile()
{
    // Images/Logo.GIF and images/logo.gif are two files here; the size must come from
    // the one chosen, although the tag names it in lower case.
    TDialogContext context;
    context.BaseFolder = m_web.path();
    context.LowerCaseFiles = true;
    context.FileName = m_mixed;
    TImageFields fields = OpenImageFields(context, true);
    QCOMPARE(fields.SourceFile, m_mixed);
    fields.Alt = "Our Logo";
    QCOMPARE(BuildImageTag(fields, context).StartText,
             QString("<IMG SRC=\"images/logo.gif\" WIDTH=33 HEIGHT=17 BORDER=0 ALT=\"Our Logo\">"));
}

void TestImageTag::rebase()
{
    TImageFields fields;
    SetImageSourceFile(fields, m_logo, m_web.path(), false, true);
    SetImageDynSourceFile(fields, m_web.filePath("Images/clip.avi"), m_web.path(), false);
    QCOMPARE(fields.DynSource, QString("Images/clip.avi"));
    RebaseImageFiles(fields, m_web.filePath("images"), false);
    QCOMPARE(fields.Source, QString("logo.gif"));
    QCOMPARE(fields.DynSource, QString("../Images/clip.avi"));
    QCOMPARE(fields.Width, QString("120"));
    // A typed reference has no file behind it and is left alone.
    TImageFields typed;
    typed.Source = "x/typed.gif";
    RebaseImageFiles(typed, "/elsewhere", false);
    QCOMPARE(typed.Source, QString("x/typed.gif"));
}

void TestImageTag::clearKeepsSpacingAndLoop()
{
    TImageFields fields = ReadImageFields(
        "<IMG SRC=\"a.gif\" WIDTH=1 HEIGHT=2 HSPACE=3 VSPACE=4 BORDER=5 ALIGN=TOP ALT=x USEMAP=m ISMAP "
        "DYNSRC=c.avi LOOP=7 START=MOUSEOVER>");
    fields.SourceFile = m_logo;
    ClearImageFields(fields);
    TImageFields expected;
    expected.Border = "0";
    expected.HSpace = "3";
    expected.VSpace = "4";
    expected.DynStart = "MOUSEOVER";
    expected.DynInfinite = false;
    expected.DynLoop = "7";
    QCOMPARE(fields, expected);
}

void TestImageTag::droppedFiles_data()
{
    QTest::addColumn<bool>("lowerCaseTags");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper case")
        << false
        << "<IMG SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 BORDER=0>|"
           "<IMG SRC=\"images/photo.png\" WIDTH=7 HEIGHT=5 BORDER=0>|"
           "<IMG BORDER=0 DYNSRC=\"clip.avi\" LOOP=INFINITE START=FILEOPEN>";
    QTest::newRow("lower-case tags")
        << true
        << "<img src=\"images/logo.gif\" width=120 height=60 border=0>|"
           "<img src=\"images/photo.png\" width=7 height=5 border=0>|"
           "<img border=0 dynsrc=\"clip.avi\" loop=infinite start=FILEOPEN>";
}

void TestImageTag::droppedFiles()
{
    QFETCH(bool, lowerCaseTags);
    QFETCH(QString, expected);
    SetLowerCaseTags(lowerCaseTags);
    TDialogContext context;
    context.BaseFolder = m_web.path();
    QStringList tags;
    tags << ImageFromFile(context, m_logo, false).StartText << ImageFromFile(context, m_png, false).StartText
         << TextFromFile(context, m_web.filePath("clip.avi"), false).StartText;
    QCOMPARE(tags.join('|'), expected);
}

void TestImageTag::complete()
{
    TImageFields fields;
    QVERIFY(!ImageFieldsComplete(fields));
    fields.DynSource = "c.avi";
    QVERIFY(ImageFieldsComplete(fields));
    fields = {};
    fields.Source = "a.gif";
    QVERIFY(ImageFieldsComplete(fields));
}

QTEST_GUILESS_MAIN(TestImageTag)
#include "tst_imagetag.moc"
