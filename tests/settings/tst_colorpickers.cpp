// The colour pickers' plain logic: the colour combo's items and its value as text in both
// directions, the keys that step over the separator, and the swatch panel's layout.
#include <QtTest>

#include "common/colortext.h"
#include "settings/colorpickers.h"
#include "testsupport.h"

Q_DECLARE_METATYPE(std::optional<int>)

class TestColorPickers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void namedColorsAsHex_data();
    void namedColorsAsHex();
    void parseColorText_data();
    void parseColorText();
    void setText_data();
    void setText();
    void heldValue_data();
    void heldValue();
    void text_data();
    void text();
    void setColor_data();
    void setColor();
    void namesRoundTrip();
    void unassignedCaption();
    void keyStart_data();
    void keyStart();
    void swatchColors_data();
    void swatchColors();
    void swatchAt_data();
    void swatchAt();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

// Each named item, forced to hex, must give its RGB value: this catches a name paired with
// the colour of its byte-swapped twin (Navy/Maroon, Olive/Teal, Aqua/Yellow, Blue/Red).
void TestColorPickers::namedColorsAsHex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hex");
    const char *rows[][2] = {{"Aqua", "#00FFFF"},   {"Black", "#000000"}, {"Blue", "#0000FF"},
                             {"Fuchsia", "#FF00FF"}, {"Gray", "#808080"},  {"Green", "#008000"},
                             {"Lime", "#00FF00"},   {"Maroon", "#800000"}, {"Navy", "#000080"},
                             {"Olive", "#808000"},  {"Purple", "#800080"}, {"Red", "#FF0000"},
                             {"Silver", "#C0C0C0"}, {"Teal", "#008080"},  {"White", "#FFFFFF"},
                             {"Yellow", "#FFFF00"}};
    int index = ciFirstNamed;
    for (const auto &row : rows) {
        QTest::newRow(row[0]) << index << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
        ++index;
    }
}

void TestColorPickers::namedColorsAsHex()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, hex);
    TColorComboState state;
    state.SetItemIndex(index);
    QCOMPARE(state.Caption(index), caption);
    QCOMPARE(state.Text(), caption);
    state.SetForceHex(true);
    QCOMPARE(state.Text(), hex);
}

void TestColorPickers::parseColorText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("six digits") << "#FF8000" << "FF8000";
    QTest::newRow("lower-case digits") << "#ff80c0" << "FF80C0";
    QTest::newRow("three digits padded on the left") << "#123" << "000123";
    QTest::newRow("one digit") << "#F" << "00000F";
    QTest::newRow("only the hash") << "#" << "000000";
    QTest::newRow("no hash") << "123456" << "123456";
    QTest::newRow("digits beyond six ignored") << "#12345678" << "123456";
    QTest::newRow("invalid pair reads 0, others kept") << "#GG80FF" << "0080FF";
    QTest::newRow("half-valid pair reads 0") << "#1G2233" << "002233";
    QTest::newRow("a sign is not a digit") << "#-10000" << "000000";
    QTest::newRow("a blank is not a digit") << "# F8000" << "008000";
    QTest::newRow("only the first hash removed") << "##12" << "000012";
    QTest::newRow("hash inside the text") << "ab#cdef" << "ABCDEF";
}

void TestColorPickers::parseColorText()
{
    QFETCH(QString, text);
    QFETCH(QString, rgb);
    QCOMPARE(ColorToHex(ParseColorText(text)), rgb);
}

void TestColorPickers::setText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("customRgb");  // the custom colour afterwards
    QTest::newRow("empty selects unassigned") << "" << ciUnassigned << "808080";
    QTest::newRow("name") << "Navy" << 11 << "808080";
    QTest::newRow("name in lower case") << "navy" << 11 << "808080";
    QTest::newRow("name in upper case") << "FUCHSIA" << 6 << "808080";
    QTest::newRow("unknown name is held as the extra item") << "Orange" << ciHeld << "808080";
    QTest::newRow("name with a blank does not match") << "Navy " << ciHeld << "808080";
    QTest::newRow("unassigned caption is no colour, held") << "unassigned" << ciHeld << "808080";
    QTest::newRow("custom caption") << "custom..." << ciCustom << "808080";
    QTest::newRow("hex of navy selects Navy") << "#000080" << 11 << "808080";
    QTest::newRow("hex of red selects Red") << "#ff0000" << 14 << "808080";
    QTest::newRow("hex of gray selects Gray, not the grey custom colour") << "#808080" << 7 << "808080";
    QTest::newRow("three digits become a custom colour") << "#123" << ciCustom << "000123";
    QTest::newRow("short white is a custom colour") << "#FFF" << ciCustom << "000FFF";
    QTest::newRow("near navy is custom") << "#000081" << ciCustom << "000081";
    QTest::newRow("hash alone is Black") << "#" << 4 << "808080";
}

void TestColorPickers::setText()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, customRgb);
    TColorComboState state;
    state.SetItemIndex(17);
    state.SetText(text);
    QCOMPARE(state.ItemIndex(), index);
    QCOMPARE(ColorToHex(state.CustomColor()), customRgb);
    // Left alone, every value reads back exactly as it was given, forced hex or not.
    QCOMPARE(state.Text(), text);
    state.SetForceHex(true);
    QCOMPARE(state.Text(), text);
    QCOMPARE(state.HasHeldItem(), index == ciHeld);
    QCOMPARE(state.Caption(ciHeld), index == ciHeld ? text : QString());
}

void TestColorPickers::heldValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("picks");   // items the user selects afterwards
    QTest::addColumn<QString>("custom");     // a colour chosen in the dialog afterwards
    QTest::addColumn<QString>("expected");
    QTest::newRow("untouched") << "#fff" << QList<int>{} << "" << "#fff";
    QTest::newRow("another item picked") << "orange" << QList<int>{14} << "" << "Red";
    QTest::newRow("the extra item picked again") << "orange" << QList<int>{14, ciHeld} << "" << "orange";
    QTest::newRow("a new custom colour replaces a held one") << "#FFF" << QList<int>{} << "#102030" << "#102030";
    QTest::newRow("a custom colour leaves a held name alone") << "navy" << QList<int>{} << "#102030" << "navy";
}

void TestColorPickers::heldValue()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, picks);
    QFETCH(QString, custom);
    QFETCH(QString, expected);
    TColorComboState state;
    state.SetText(text);
    for (int index : picks)
        state.SetItemIndex(index);
    if (!custom.isEmpty())
        state.SetCustomColor(ParseColorText(custom));
    QCOMPARE(state.Text(), expected);
}

void TestColorPickers::text_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("forceHex");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing chosen") << -1 << false << "";
    QTest::newRow("nothing chosen, forced hex") << -1 << true << "";
    QTest::newRow("unassigned") << ciUnassigned << false << "";
    QTest::newRow("unassigned, forced hex") << ciUnassigned << true << "";
    QTest::newRow("separator") << ciSeparator << true << "";
    QTest::newRow("custom") << ciCustom << false << "#123456";
    QTest::newRow("custom, forced hex") << ciCustom << true << "#123456";
    QTest::newRow("Red") << 14 << false << "Red";
    QTest::newRow("Red, forced hex") << 14 << true << "#FF0000";
}

void TestColorPickers::text()
{
    QFETCH(int, index);
    QFETCH(bool, forceHex);
    QFETCH(QString, text);
    TColorComboState state;
    state.SetCustomColor(ParseColorText(QStringLiteral("#123456")));
    state.SetForceHex(forceHex);
    state.SetItemIndex(index);
    QCOMPARE(state.Text(), text);
}

void TestColorPickers::setColor_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<int>("index");
    QTest::addColumn<TColor>("custom");
    QTest::newRow("navy") << Colors::clNavy << 11 << TColorComboState::DefaultCustomColor;
    QTest::newRow("white") << Colors::clWhite << 17 << TColorComboState::DefaultCustomColor;
    QTest::newRow("orange") << TColor(0x0080FF) << ciCustom << TColor(0x0080FF);
    // A system colour is kept as such, even when it currently looks like a named colour.
    QTest::newRow("system colour") << Colors::clWindow << ciCustom << Colors::clWindow;
}

void TestColorPickers::setColor()
{
    QFETCH(TColor, color);
    QFETCH(int, index);
    QFETCH(TColor, custom);
    TColorComboState state;
    state.SetColor(color);
    QCOMPARE(state.ItemIndex(), index);
    QCOMPARE(state.CustomColor(), custom);
}

// What a dialog writes it must read back: every item's text selects the same item again,
// with and without forced hex.
void TestColorPickers::namesRoundTrip()
{
    for (bool forceHex : {false, true})
        for (int index = ciFirstNamed; index < ColorComboItemCount; ++index) {
            TColorComboState writer;
            writer.SetForceHex(forceHex);
            writer.SetItemIndex(index);
            TColorComboState reader;
            reader.SetText(writer.Text());
            QCOMPARE(reader.ItemIndex(), index);
        }
}

void TestColorPickers::unassignedCaption()
{
    TColorComboState state;
    state.SetUnassignedCaption(QStringLiteral("Default"));
    QCOMPARE(state.Caption(ciUnassigned), QStringLiteral("Default"));
    state.SetText(QStringLiteral("DEFAULT"));
    QCOMPARE(state.ItemIndex(), ciHeld);
    QCOMPARE(state.Text(), QStringLiteral("DEFAULT"));
    state.SetItemIndex(ciUnassigned);
    QCOMPARE(state.Text(), QString());
}

void TestColorPickers::keyStart_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("current");
    QTest::addColumn<std::optional<int>>("start");
    const std::optional<int> none;
    const std::optional<int> separator = ciSeparator;
    QTest::newRow("down on Custom") << int(Qt::Key_Down) << ciCustom << separator;
    QTest::newRow("right on Custom") << int(Qt::Key_Right) << ciCustom << separator;
    QTest::newRow("space on Custom") << int(Qt::Key_Space) << ciCustom << separator;
    QTest::newRow("up on Custom") << int(Qt::Key_Up) << ciCustom << none;
    QTest::newRow("left on Custom") << int(Qt::Key_Left) << ciCustom << none;
    QTest::newRow("up on Aqua") << int(Qt::Key_Up) << ciFirstNamed << separator;
    QTest::newRow("left on Aqua") << int(Qt::Key_Left) << ciFirstNamed << separator;
    QTest::newRow("down on Aqua") << int(Qt::Key_Down) << ciFirstNamed << none;
    QTest::newRow("space on Aqua") << int(Qt::Key_Space) << ciFirstNamed << none;
    QTest::newRow("down on unassigned") << int(Qt::Key_Down) << ciUnassigned << none;
    QTest::newRow("up on Black") << int(Qt::Key_Up) << ciFirstNamed + 1 << none;
    QTest::newRow("return on Custom") << int(Qt::Key_Return) << ciCustom << none;
}

void TestColorPickers::keyStart()
{
    QFETCH(int, key);
    QFETCH(int, current);
    QFETCH(std::optional<int>, start);
    QCOMPARE(ColorComboKeyStart(key, current), start);
}

// Row by row, the system palette's entries 0-7 and then 12-19.
void TestColorPickers::swatchColors_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("rgb");
    const char *rgb[] = {"000000", "800000", "008000", "808000", "000080", "800080", "008080", "C0C0C0",
                         "808080", "FF0000", "00FF00", "FFFF00", "0000FF", "FF00FF", "00FFFF", "FFFFFF"};
    for (int i = 0; i < ColorSwatchCount; ++i)
        QTest::addRow("row %d column %d", i / 4 + 1, i % 4 + 1) << i << QString::fromLatin1(rgb[i]);
}

void TestColorPickers::swatchColors()
{
    QFETCH(int, index);
    QFETCH(QString, rgb);
    QCOMPARE(ColorToHex(SwatchColors()[index]), rgb);
}

void TestColorPickers::swatchAt_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("swatch");
    QTest::newRow("top-left corner of the first") << 2 << 2 << 0;
    QTest::newRow("bottom-right corner of the first") << 17 << 17 << 0;
    QTest::newRow("bevel before the first") << 1 << 1 << -1;
    QTest::newRow("gap between columns 1 and 2") << 18 << 5 << -1;
    QTest::newRow("second column") << 20 << 5 << 1;
    QTest::newRow("fourth column of row 1") << 56 << 2 << 3;
    QTest::newRow("first column of row 2") << 2 << 20 << 4;
    QTest::newRow("gap between rows 1 and 2") << 5 << 19 << -1;
    QTest::newRow("last swatch") << 71 << 71 << 15;
    QTest::newRow("right of the last column") << 72 << 60 << -1;
    QTest::newRow("the Other button below") << 10 << 80 << -1;
}

void TestColorPickers::swatchAt()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, swatch);
    QCOMPARE(SwatchAt(x, y), swatch);
}

QTEST_GUILESS_MAIN(TestColorPickers)
#include "tst_colorpickers.moc"
