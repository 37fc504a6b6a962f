// The spelling engine's Windows-1252 character tables.
#include <QtTest>

#include "spelling/charmaps.h"

class TstCharMaps : public QObject {
    Q_OBJECT
private slots:
    void tables_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("code");
        QTest::newRow("a") << int('a') << int('A') << 0;
        QTest::newRow("Z") << int('Z') << int('Z') << 25;
        QTest::newRow("apostrophe") << int('\'') << int('\'') << 26;
        QTest::newRow("hyphen") << int('-') << int('-') << 27;
        QTest::newRow("s caron") << 0x9A << 0x8A << 28;
        QTest::newRow("oe") << 0x9C << 0x8C << 29;
        QTest::newRow("y diaeresis") << 0xFF << 0x9F << 30;
        QTest::newRow("a grave") << 0xE0 << 0xC0 << 31;
        QTest::newRow("o diaeresis") << 0xF6 << 0xD6 << 53;
        QTest::newRow("o stroke") << 0xF8 << 0xD8 << 54;
        QTest::newRow("sharp s") << 0xDF << 0xDF << 61;
        QTest::newRow("eth stays lower") << 0xF0 << 0xF0 << 62;
        QTest::newRow("division sign") << 0xF7 << 0xF7 << 0;
        QTest::newRow("multiplication sign") << 0xD7 << 0xD7 << 0;
        QTest::newRow("back-quote") << int('`') << int('`') << 63;
        QTest::newRow("digit reads as A") << int('7') << int('7') << 0;
    }
    void tables()
    {
        QFETCH(int, byte);
        QFETCH(int, upper);
        QFETCH(int, code);
        QCOMPARE(int(Spell::UpperCase(uchar(byte))), upper);
        QCOMPARE(int(Spell::CodeOfLetter(uchar(byte))), code);
        // Every letter of the alphabet maps back to its own code, from any flag byte.
        if (code != 0 || upper == 'A')
            QCOMPARE(int(Spell::LetterOfCode(uchar(code | 0xC0))), upper);
    }

    void boundary()
    {
        QCOMPARE(Spell::ToEngineText(QString::fromUtf8("café")), std::optional(QByteArray("caf\xE9")));
        QVERIFY(!Spell::ToEngineText(QString::fromUtf8("naïve\u0101")).has_value());
        QCOMPARE(Spell::FromEngineText("\x9C" "uvre"), QString::fromUtf8("œuvre"));
    }
};

QTEST_APPLESS_MAIN(TstCharMaps)
#include "tst_charmaps.moc"
