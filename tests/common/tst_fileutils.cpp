// File, path, image and colour-text utilities shared across the program.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QtTest>

#include "common/colortext.h"
#include "common/filetext.h"
#include "common/fileutils.h"
#include "common/imagesize.h"
#include "common/pathutils.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int v : values)
        bytes += char(v & 0xFF);
    return bytes;
}
QByteArray Le16(int v) { return Bytes({v, v >> 8}); }
QByteArray Be16(int v) { return Bytes({v >> 8, v}); }
QByteArray Le32(qint64 v) { return Le16(int(v & 0xFFFF)) + Le16(int((v >> 16) & 0xFFFF)); }
QByteArray Be32(qint64 v) { return Be16(int((v >> 16) & 0xFFFF)) + Be16(int(v & 0xFFFF)); }

// A GIF whose logical screen (300 x 200) differs from its first image (40 x 30), with a
// 256-entry global colour table, a graphic control extension and a comment whose text
// holds commas followed by bytes that read as a plausible image size.
QByteArray GifImage()
{
    QByteArray gif = "GIF89a" + Le16(300) + Le16(200) + char(0xF7) + char(0) + char(0);
    gif += QByteArray(3 * 256, char(0x2C));
    gif += QByteArray("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
    const QByteArray comment = "made, edited, saved," + Le16(0) + Le16(0) + Le16(999) + Le16(777) + ",end";
    gif += QByteArray("\x21\xFE") + char(comment.size()) + comment + char(0);
    gif += ',' + Le16(5) + Le16(6) + Le16(40) + Le16(30) + char(0);
    gif += QByteArray("\x08\x02\x4C\x01\x00\x3B", 6);
    return gif;
}

// A JPEG with the usual segments before its frame header: JFIF, an Exif segment whose
// data holds the bytes of a baseline frame header, a quantisation table and fill bytes.
// frameMarker 0xC0 is baseline, 0xC2 progressive.
QByteArray JpegImage(quint8 frameMarker, int width, int height)
{
    QByteArray jpeg("\xFF\xD8", 2);
    jpeg += QByteArray("\xFF\xE0", 2) + Be16(16) + QByteArray("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + QByteArray("\xFF\xC0\x00\x11\x08", 5) + Be16(11) + Be16(22);
    jpeg += QByteArray("\xFF\xE1", 2) + Be16(2 + exif.size()) + exif;
    jpeg += QByteArray("\xFF\xDB", 2) + Be16(67) + char(0) + QByteArray(64, char(1));
    jpeg += QByteArray("\xFF\xFF\xFF", 3) + char(frameMarker) + Be16(11) + char(8) + Be16(height) + Be16(width)
        + QByteArray("\x01\x01\x11\x00", 4);
    jpeg += QByteArray("\xFF\xDA", 2) + Be16(8) + QByteArray("\x01\x01\x00\x00\x3F\x00", 6) + QByteArray(4, char(0x55));
    jpeg += QByteArray("\xFF\xD9", 2);
    return jpeg;
}

quint32 Crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray PngChunk(const QByteArray &type, const QByteArray &data)
{
    return Be32(data.size()) + type + data + Be32(Crc32(type + data));
}

// A complete one-bit greyscale PNG, every row black.
QByteArray PngImage(qint64 width, int height)
{
    const QByteArray header = Be32(width) + Be32(height) + QByteArray("\x01\x00\x00\x00\x00", 5);
    const QByteArray rows = QByteArray(height * (1 + (width + 7) / 8), char(0));
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", qCompress(rows).mid(4))
        + PngChunk("IEND", QByteArray());
}

// A 24-bit bitmap with an info header; a negative height stores the rows top-down.
QByteArray BmpImage(int width, int height)
{
    const int rowBytes = (width * 24 + 31) / 32 * 4;
    const QByteArray pixels(rowBytes * qAbs(height), char(0x7F));
    return "BM" + Le32(54 + pixels.size()) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) + Le16(1)
        + Le16(24) + Le32(0) + Le32(pixels.size()) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0) + pixels;
}

// An old-style bitmap with the 12-byte core header and a two-colour palette.
QByteArray BmpCoreImage(int width, int height)
{
    const int rowBytes = (width + 31) / 32 * 4;
    return "BM" + Le32(32 + rowBytes * height) + Le32(0) + Le32(32) + Le32(12) + Le16(width) + Le16(height)
        + Le16(1) + Le16(1) + QByteArray(6, char(0)) + QByteArray(rowBytes * height, char(0));
}

QByteArray Patched(QByteArray bytes, int offset, const QByteArray &with)
{
    bytes.replace(offset, with.size(), with);
    return bytes;
}

} // namespace

class TestFileUtils : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_files;

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void fileKinds_data();
    void fileKinds();
    void imageKinds_data();
    void imageKinds();
    void generatedImagesAreReal_data();
    void generatedImagesAreReal();
    void imageSizes_data();
    void imageSizes();
    void imageSizeOfMissingFile();
    void titles_data();
    void titles();
    void titleOfFiles();
    void fileAsOneLine();
    void quotedValues_data();
    void quotedValues();
    void quotedValuesOfFile();
    void removeAllOccurrences_data();
    void removeAllOccurrences();
    void relativeFolders_data();
    void relativeFolders();
    void colourTexts_data();
    void colourTexts();
    void listFiles_data();
    void listFiles();
    void temporaryFileName();
    void pathUsable_data();
    void pathUsable();
    void fileDateText();
};

void TestFileUtils::fileKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("upper-case gif") << "/pics/LOGO.GIF" << int(fkImage);
    QTest::newRow("png") << "a.png" << int(fkImage);
    QTest::newRow("aiff sound") << "a.aiff" << int(fkSound);
    QTest::newRow("au sound") << "a.Au" << int(fkSound);
    QTest::newRow("htm document") << "index.htm" << int(fkDocument);
    QTest::newRow("css in a folder with dots") << "/web.site/main.CSS" << int(fkStyleSheet);
    QTest::newRow("dot only in the folder") << "/web.site/readme" << int(fkUnknown);
    QTest::newRow("last extension counts") << "page.html.bak" << int(fkUnknown);
    QTest::newRow("trailing dot") << "page." << int(fkUnknown);
    QTest::newRow("jpeg image") << "picture.JPEG" << int(fkImage);
    QTest::newRow("avi video") << "movie.avi" << int(fkVideo);
    QTest::newRow("shtml document") << "page.shtml" << int(fkDocument);
    QTest::newRow("no extension") << "readme" << int(fkUnknown);
    QTest::newRow("css is a style sheet") << "style.css" << int(fkStyleSheet);
    QTest::newRow("midi sound") << "tune.mid" << int(fkSound);
    QTest::newRow("word file") << "notes.doc" << int(fkUnknown);
}

void TestFileUtils::fileKinds()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(FileKindOf(name)), kind);
}

void TestFileUtils::imageKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("gif") << "a.gif" << int(ikGIF);
    QTest::newRow("jpg") << "a.JPG" << int(ikJPEG);
    QTest::newRow("jpeg") << "a.Jpeg" << int(ikJPEG);
    QTest::newRow("png") << "a.png" << int(ikPNG);
    QTest::newRow("bmp") << "/x.y/a.BMP" << int(ikBMP);
    QTest::newRow("jpe is other") << "a.jpe" << int(ikOther);
    QTest::newRow("no extension") << "gif" << int(ikOther);
    QTest::newRow("extension of the folder only") << "/pics.gif/a" << int(ikOther);
}

void TestFileUtils::imageKinds()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(ImageKindOf(name)), kind);
}

// The hand-made PNG and bitmaps are complete images that Qt's own readers accept, so
// the size reader is checked against real files, not only against its own idea of them.
void TestFileUtils::generatedImagesAreReal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide png") << PngImage(70000, 2) << QSize(70000, 2);
    QTest::newRow("bmp") << BmpImage(3, 2) << QSize(3, 2);
    QTest::newRow("top-down bmp") << BmpImage(5, -4) << QSize(5, 4);
    QTest::newRow("core bmp") << BmpCoreImage(9, 3) << QSize(9, 3);
}

void TestFileUtils::generatedImagesAreReal()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QCOMPARE(QImage::fromData(bytes).size(), size);
}

void TestFileUtils::imageSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    const QByteArray gif = GifImage();
    const qsizetype descriptor = gif.lastIndexOf(',' + Le16(5));
    QTest::newRow("gif: first image, not screen or comment") << "a.gif" << gif << 40 << 30;
    QTest::newRow("gif without colour table")
        << "a.gif" << QByteArray("GIF87a") + Le16(9) + Le16(9) + char(0) + char(0) + char(0) + ',' + Le16(0) + Le16(0)
            + Le16(7) + Le16(8) + char(0) << 7 << 8;
    QTest::newRow("gif cut in the colour table") << "a.gif" << gif.left(13 + 300) << 0 << 0;
    QTest::newRow("gif cut in the comment") << "a.gif" << gif.left(13 + 768 + 8 + 10) << 0 << 0;
    QTest::newRow("gif cut in the image descriptor") << "a.gif" << gif.left(descriptor + 8) << 0 << 0;
    QTest::newRow("gif trailer before any image") << "a.gif" << Patched(gif, int(descriptor), "\x3B") << 0 << 0;
    QTest::newRow("gif unknown block") << "a.gif" << Patched(gif, int(descriptor), "\x99") << 0 << 0;
    QTest::newRow("gif header only") << "a.gif" << QByteArray("GIF89a") << 0 << 0;
    QTest::newRow("not a gif") << "a.gif" << Patched(gif, 0, "JIF") << 0 << 0;

    const QByteArray progressive = JpegImage(0xC2, 123, 45);
    const qsizetype frame = progressive.indexOf(QByteArray("\xFF\xC2", 2));
    QTest::newRow("progressive jpeg") << "a.jpg" << progressive << 123 << 45;
    QTest::newRow("baseline jpeg") << "a.jpeg" << JpegImage(0xC0, 640, 480) << 640 << 480;
    QTest::newRow("extended jpeg") << "a.jpg" << JpegImage(0xC1, 64, 48) << 64 << 48;
    QTest::newRow("jpeg markers without segment before the frame")
        << "a.jpg" << JpegImage(0xC0, 5, 6).insert(2, QByteArray("\xFF\x01\xFF\xD0", 4)) << 5 << 6;
    QTest::newRow("jpeg segment length 0") << "a.jpg" << Patched(progressive, 4, Be16(0)) << 0 << 0;
    QTest::newRow("jpeg segment length 1") << "a.jpg" << Patched(progressive, 4, Be16(1)) << 0 << 0;
    QTest::newRow("jpeg segment past the end") << "a.jpg" << Patched(progressive, 4, Be16(0xFFFF)) << 0 << 0;
    QTest::newRow("jpeg cut in the frame header") << "a.jpg" << progressive.left(frame + 8) << 0 << 0;
    QTest::newRow("jpeg cut before the frame") << "a.jpg" << progressive.left(frame + 1) << 0 << 0;
    QTest::newRow("jpeg end of image before the frame")
        << "a.jpg" << Patched(progressive, int(frame), QByteArray("\xFF\xD9", 2)) << 0 << 0;
    QTest::newRow("jpeg data where a marker belongs") << "a.jpg" << Patched(progressive, int(frame) - 2, QByteArray(1, '\0')) << 0 << 0;
    QTest::newRow("not a jpeg") << "a.jpg" << Patched(progressive, 1, "\xD9") << 0 << 0;

    // The result has 16 bits: a PNG 70000 pixels wide reports the low half of its
    // width, 70000 - 65536 = 4464.
    const QByteArray png = PngImage(70000, 2);
    QTest::newRow("png wider than 65535") << "a.png" << png << 4464 << 2;
    QTest::newRow("small png") << "a.PNG" << PngImage(17, 3) << 17 << 3;
    QTest::newRow("png cut before the height") << "a.png" << png.left(23) << 0 << 0;
    QTest::newRow("png without header chunk") << "a.png" << Patched(png, 12, "IDAT") << 0 << 0;
    QTest::newRow("png named gif") << "a.gif" << png << 0 << 0;
    QTest::newRow("not a png") << "a.png" << Patched(png, 1, "Q") << 0 << 0;

    const QByteArray bmp = BmpImage(3, 2);
    QTest::newRow("bmp") << "a.bmp" << bmp << 3 << 2;
    QTest::newRow("top-down bmp") << "a.bmp" << BmpImage(5, -4) << 5 << 4;
    QTest::newRow("core bmp") << "a.bmp" << BmpCoreImage(9, 3) << 9 << 3;
    QTest::newRow("bmp cut in the pixels") << "a.bmp" << bmp.left(bmp.size() - 1) << 0 << 0;
    QTest::newRow("bmp cut in the header") << "a.bmp" << bmp.left(40) << 0 << 0;
    QTest::newRow("bmp without planes") << "a.bmp" << Patched(bmp, 26, Le16(0)) << 0 << 0;
    QTest::newRow("bmp with 7 bits a pixel") << "a.bmp" << Patched(bmp, 28, Le16(7)) << 0 << 0;
    QTest::newRow("bmp of width 0") << "a.bmp" << Patched(bmp, 18, Le32(0)) << 0 << 0;
    QTest::newRow("bmp of huge size") << "a.bmp" << Patched(Patched(bmp, 18, Le32(0x7FFFFFFF)), 22, Le32(0x7FFFFFFF)) << 0 << 0;
    QTest::newRow("bmp header of unknown size") << "a.bmp" << Patched(bmp, 14, Le32(20)) << 0 << 0;
    QTest::newRow("bmp pixels beyond the end") << "a.bmp" << Patched(bmp, 10, Le32(5000)) << 0 << 0;
    QTest::newRow("bmp run-length with 24 bits") << "a.bmp" << Patched(bmp, 30, Le32(1)) << 0 << 0;
    QTest::newRow("not a bmp") << "a.bmp" << Patched(bmp, 0, "MB") << 0 << 0;
    QTest::newRow("empty file") << "a.bmp" << QByteArray() << 0 << 0;
    QTest::newRow("other extension") << "a.tif" << bmp << 0 << 0;
}

void TestFileUtils::imageSizes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, width);
    QFETCH(int, height);
    const TImageSize size = ImageSize(m_files.Write(name, bytes));
    QCOMPARE(int(size.Width), width);
    QCOMPARE(int(size.Height), height);
}

void TestFileUtils::imageSizeOfMissingFile()
{
    QVERIFY(ImageSize(m_files.FilePath(QStringLiteral("missing.gif"))) == TImageSize());
}

void TestFileUtils::titles_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << QByteArray("<html><title>Hi</title>") << "Hi";
    QTest::newRow("mixed case") << QByteArray("<TiTlE>Mixed Case</tItLe>") << "Mixed Case";
    QTest::newRow("end before start") << QByteArray("</TITLE> <TITLE>x") << "[Untitled]";
    QTest::newRow("no end") << QByteArray("<title>Hi") << "[Untitled]";
    QTest::newRow("none") << QByteArray("<html><body>text</body></html>") << "[Untitled]";
    QTest::newRow("empty") << QByteArray("<title></title>") << "";
    QTest::newRow("start overlapping the end") << QByteArray("<TITLE</TITLE>") << "";
    QTest::newRow("line break kept") << QByteArray("<title>a\r\nb</title>") << "a\r\nb";
    QTest::newRow("beyond 512 bytes") << QByteArray(600, ' ') + "<title>Late</title>" << "[Untitled]";
    QTest::newRow("end ending at byte 512") << QByteArray(493, ' ') + "<title>Fits</title>" << "Fits";
    QTest::newRow("end ending at byte 513") << QByteArray(494, ' ') + "<title>Fits</title>" << "[Untitled]";
    QTest::newRow("after a zero byte") << QByteArray("\0<title>x</title>", 17) << "[Untitled]";
    QTest::newRow("utf-8") << QByteArray("<title>Gr\xC3\xBC\xC3\x9F" "e</title>") << QString::fromUtf8("Grüße");
    QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF<title>\xE2\x82\xAC</title>") << QString::fromUtf8("€");
    QTest::newRow("windows-1252") << QByteArray("<title>Gr\xFC\xDF" "e \x80</title>") << QString::fromUtf8("Grüße €");
    // Byte 512 splits the two-byte "é" that follows the title: the head is still UTF-8.
    const QByteArray utf8 = "<title>Gr\xC3\xBC\xC3\x9F" "e</title>";
    QTest::newRow("utf-8 cut at 512 bytes")
        << utf8 + QByteArray(511 - utf8.size(), ' ') + "\xC3\xA9" << QString::fromUtf8("Grüße");
}

void TestFileUtils::titles()
{
    QFETCH(QByteArray, head);
    QFETCH(QString, title);
    QCOMPARE(TitleFromBytes(head), title);
}

void TestFileUtils::titleOfFiles()
{
    QCOMPARE(DocumentTitle(m_files.Write(QStringLiteral("t.html"), "<html><head><title>Hi</title>")), QStringLiteral("Hi"));
    QCOMPARE(DocumentTitle(m_files.Write(QStringLiteral("t.html"), "<html>")), QStringLiteral("[Untitled]"));
    QCOMPARE(DocumentTitle(m_files.FilePath(QStringLiteral("missing.html"))), QStringLiteral("Err"));
}

void TestFileUtils::fileAsOneLine()
{
    QCOMPARE(ReadFileAsOneLine(m_files.Write(QStringLiteral("l.txt"), "one\r\ntwo\nthree\rfour\r\n")), QStringLiteral("onetwothreefour"));
    QCOMPARE(ReadFileAsOneLine(m_files.Write(QStringLiteral("l.txt"), "caf\xE9")), QString::fromUtf8("café"));
    QCOMPARE(ReadFileAsOneLine(m_files.FilePath(QStringLiteral("missing.txt"))), QString());
}

void TestFileUtils::quotedValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dropDuplicates");
    QTest::addColumn<QStringList>("values");
    const QString links = QStringLiteral("<a HREF=\"b.html\">b</a><a href=\"a.html\"></a><A Href=\"b.html\"></a>");
    QTest::newRow("sorted, duplicates dropped") << links << true << QStringList{"a.html", "b.html"};
    QTest::newRow("sorted, duplicates kept") << links << false << QStringList{"a.html", "b.html", "b.html"};
    QTest::newRow("sorted without regard to case")
        << "href=\"Zeta\" href=\"alpha\" href=\"beta\"" << false << QStringList{"alpha", "beta", "Zeta"};
    QTest::newRow("duplicates differing in case") << "href=\"A\" href=\"a\"" << true << QStringList{"A"};
    QTest::newRow("empty value") << "href=\"\"" << false << QStringList{""};
    QTest::newRow("no closing quote ends the search") << "href=\"a\" href=\"b" << false << QStringList{"a"};
    QTest::newRow("search goes on after the quote")
        << "href=\"x href=\"y\" href=\"z\"" << false << QStringList{"x href=", "z"};
    QTest::newRow("no value") << "<p>text</p>" << false << QStringList();
}

void TestFileUtils::quotedValues()
{
    QFETCH(QString, text);
    QFETCH(bool, dropDuplicates);
    QFETCH(QStringList, values);
    QCOMPARE(QuotedValuesFromText(QStringLiteral("HREF=\""), text, dropDuplicates), values);
}

void TestFileUtils::quotedValuesOfFile()
{
    const QString file = m_files.Write(QStringLiteral("q.html"), "<meta content=\"two\r\nlines\"><meta CONTENT=\"b\">");
    QCOMPARE(CollectQuotedValues(QStringLiteral("content=\""), file, true), (QStringList{"b", "twolines"}));
    QCOMPARE(CollectQuotedValues(QStringLiteral("content=\""), m_files.FilePath(QStringLiteral("none")), true), QStringList());
}

void TestFileUtils::removeAllOccurrences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("result");
    QTest::newRow("every one") << "Hello World" << "o" << "Hell Wrld";
    QTest::newRow("without regard to case") << "a<B>b<b>c" << "<b>" << "abc";
    QTest::newRow("brought together by deleting") << "AABB" << "ab" << "";
    QTest::newRow("nested") << "x<<b>b>y" << "<b>" << "xy";
    QTest::newRow("absent") << "text" << "q" << "text";
    QTest::newRow("empty fragment") << "text" << "" << "text";
}

void TestFileUtils::removeAllOccurrences()
{
    QFETCH(QString, text);
    QFETCH(QString, fragment);
    QFETCH(QString, result);
    QCOMPARE(RemoveAllOccurrences(text, fragment), result);
}

void TestFileUtils::relativeFolders_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("result");
    QTest::newRow("below") << "c:\\web\\" << "c:\\web\\img\\" << false << "img/";
    QTest::newRow("sibling") << "c:\\web\\a\\" << "c:\\web\\b\\" << false << "../b/";
    QTest::newRow("two up") << "c:\\web\\a\\b\\" << "c:\\web\\" << false << "../../";
    QTest::newRow("other drive") << "c:\\web\\" << "d:\\pics\\" << false << "/pics/";
    QTest::newRow("same folder") << "c:\\web\\" << "c:\\web\\" << false << "";
    QTest::newRow("same folder, one without backslash") << "c:\\web" << "c:\\web\\" << false << "";
    QTest::newRow("lower-case flag") << "c:\\web\\" << "C:\\Web\\IMG\\" << true << "img/";
    QTest::newRow("case counts without the flag") << "c:\\web\\" << "C:\\Web\\IMG\\" << false << "/Web/IMG/";
    QTest::newRow("folder name sharing a start") << "c:\\web\\a\\" << "c:\\webx\\b\\" << false << "../../webx/b/";
    QTest::newRow("base inside the target, not at its start") << "/web/" << "/home/web/img/" << false << "../home/web/img/";
    QTest::newRow("empty base") << "" << "c:\\web\\img\\" << false << "\\web\\img\\";
    QTest::newRow("empty base, no drive") << "" << "/home/web/" << false << "/home/web/";
    QTest::newRow("empty target") << "c:\\web\\" << "" << false << "c:\\web\\";
    QTest::newRow("forward slashes") << "/home/u/site" << "/home/u/site/img" << false << "img/";
    QTest::newRow("up and down") << "/a/b/c/" << "/a/x/y/" << false << "../../x/y/";
    QTest::newRow("mixed slashes") << "c:/web/" << "c:\\web\\img" << false << "img/";
    QString deep = QStringLiteral("/home");
    for (int i = 0; i < 30; ++i)
        deep += QStringLiteral("/folder%1").arg(i, 3, 10, QLatin1Char('0'));
    QTest::newRow("longer than 260 characters, below") << deep << deep + "/img/" << false << "img/";
    QTest::newRow("longer than 260 characters, far off") << "/x/" << deep << false << "../" + deep.mid(1) + "/";
}

void TestFileUtils::relativeFolders()
{
    QFETCH(QString, base);
    QFETCH(QString, target);
    QFETCH(bool, lowerCase);
    QFETCH(QString, result);
    QCOMPARE(RelativeFolder(base, target, lowerCase), result);
}

void TestFileUtils::colourTexts_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("hex");
    QTest::newRow("black") << int(Colors::clBlack) << "000000";
    QTest::newRow("white") << int(Colors::clWhite) << "FFFFFF";
    QTest::newRow("red is stored last") << int(Colors::clRed) << "FF0000";
    QTest::newRow("blue is stored first") << int(Colors::clBlue) << "0000FF";
    QTest::newRow("orange") << 0x0080FF << "FF8000";
    QTest::newRow("upper-case digits") << 0xEFCDAB << "ABCDEF";
}

void TestFileUtils::colourTexts()
{
    QFETCH(int, colour);
    QFETCH(QString, hex);
    QCOMPARE(ColorToHex(colour), hex);
    QCOMPARE(ColorToHTML(colour), u'#' + hex);
}

void TestFileUtils::listFiles_data()
{
    QTest::addColumn<QString>("masks");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("one mask") << "*.html" << QStringList{"a.html", "c.Html"};
    QTest::newRow("mask in upper case") << "*.HTML" << QStringList{"a.html", "c.Html"};
    QTest::newRow("two masks in their order") << "*.htm|*.html" << QStringList{"B.HTM", "a.html", "c.Html"};
    QTest::newRow("overlapping masks give each file once") << "*.htm*|*.html|a.*" << QStringList{"a.html", "B.HTM", "c.Html"};
    QTest::newRow("star dot star lists names without a dot") << "*.*" << QStringList{"a.html", "B.HTM", "c.Html", "d.txt", "noext"};
    QTest::newRow("no match") << "*.gif" << QStringList();
    QTest::newRow("no mask") << "" << QStringList();
}

void TestFileUtils::listFiles()
{
    QFETCH(QString, masks);
    QFETCH(QStringList, names);
    const QString folder = m_files.FilePath(QStringLiteral("list"));
    for (const char *name : {"a.html", "B.HTM", "c.Html", "d.txt", "noext", ".hidden.html", "sub.html/inner.html"})
        m_files.Write(QStringLiteral("list/") + QLatin1String(name), "x");
    QStringList expected;
    for (const QString &name : names)
        expected.append(folder + u'/' + name);
    QCOMPARE(ListFiles(folder, masks), expected);
    QCOMPARE(ListFiles(folder + u'/', masks), expected);
    QCOMPARE(ListFiles(QString(), masks), QStringList());
}

void TestFileUtils::temporaryFileName()
{
    const QString first = TemporaryFileName(QStringLiteral("~pw"), m_files.Path());
    const QString second = TemporaryFileName(QStringLiteral("~pw"), m_files.Path());
    QVERIFY(!first.isEmpty());
    QVERIFY(first != second);
    QCOMPARE(QFileInfo(first).absolutePath(), QFileInfo(m_files.Path()).absoluteFilePath());
    QVERIFY(QFileInfo(first).fileName().startsWith(QLatin1String("~pw")));
    QVERIFY(first.endsWith(QLatin1String(".tmp")));
    QVERIFY(QFileInfo(first).isFile());
    QCOMPARE(QFileInfo(first).size(), 0);

    QVERIFY(TemporaryFileName(QStringLiteral("~pw"), QString(), QStringLiteral(".html")).startsWith(QDir::tempPath()));
    QVERIFY(TemporaryFileName(QStringLiteral("~pw"), m_files.FilePath(QStringLiteral("missing"))).isEmpty());

    // No 260-character limit on the folder.
    QString deep = m_files.Path();
    while (deep.size() <= 300)
        deep += QStringLiteral("/a long folder name");
    QVERIFY(QDir().mkpath(deep));
    const QString inDeep = TemporaryFileName(QStringLiteral("~pw"), deep);
    QVERIFY(inDeep.startsWith(deep + u'/'));
    QVERIFY(QFileInfo::exists(inDeep));
}

void TestFileUtils::pathUsable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("existing file") << "usable/file.txt" << true;
    QTest::newRow("existing folder") << "usable" << true;
    QTest::newRow("missing file") << "usable/missing.txt" << false;
    QTest::newRow("file in a missing folder") << "gone/file.txt" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFileUtils::pathUsable()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    m_files.Write(QStringLiteral("usable/file.txt"), "x");
    QCOMPARE(PathUsable(name.isEmpty() ? QString() : m_files.FilePath(name)), usable);
}

void TestFileUtils::fileDateText()
{
    const QDateTime local(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString text = FileDateText(local);
    QVERIFY2(text.startsWith(QLatin1String("Tuesday, March 5, 2024 ")), qPrintable(text));
    const QString time = text.mid(23);
    QVERIFY2(time.contains(QLatin1String("2:07:09")), qPrintable(text));
    QVERIFY2(time.contains(QLatin1String("PM")), qPrintable(text));
    QVERIFY2(!QString(time).remove(QLatin1String("PM")).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
             qPrintable(text)); // no time zone
    const QDateTime utc = QDateTime(QDate(2023, 12, 31), QTime(23, 30, 0), Qt::UTC);
    QCOMPARE(FileDateText(utc), FileDateText(utc.toLocalTime()));
    QCOMPARE(FileDateText(QDateTime()), QString());
}

QTEST_GUILESS_MAIN(TestFileUtils)
#include "tst_fileutils.moc"
