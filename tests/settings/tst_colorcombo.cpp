// The colour combo and the colour selection panel as widgets: choosing items, the keys
// around the separator, the colour dialog with its custom colours in the settings store,
// and the swatch panel's clicks and painting.
#include <QColorDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "common/colortext.h"
#include "platform/customcolors.h"
#include "platform/configstore.h"
#include "settings/colorcombo.h"
#include "testsupport.h"

namespace {
const QString Root = QStringLiteral("Software\\Pendwick");
const QString CustomKey = QStringLiteral("Software\\Pendwick\\CustomColors");
} // namespace

class TestColorCombo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    int m_dialogs = 0;
    QColor m_initial;
    std::optional<QColor> m_answer;
    QColor m_customSlot3;  // custom colour 3 as the dialog saw it when opened

    // Sixteen white custom colours but slot 3.
    static QStringList SavedCustomColors(TColor slot3)
    {
        QStringList entries;
        for (int i = 0; i < CustomColorCount; ++i)
            entries << CustomColorEntry(i, i == 3 ? slot3 : Colors::clWhite);
        return entries;
    }

    // Answers the colour dialog with m_answer, and like a user adds a custom colour in slot 0.
    void AnswerDialog()
    {
        SetColorDialogHook([this](const QColor &initial) {
            ++m_dialogs;
            m_initial = initial;
            m_customSlot3 = QColorDialog::customColor(3);
            QColorDialog::setCustomColor(0, QColor(0x12, 0x34, 0x56));
            return m_answer;
        });
    }

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        AnswerDialog();
    }
    void cleanupTestCase() { SetColorDialogHook(nullptr); }
    void init()
    {
        m_dialogs = 0;
        m_initial = QColor();
        m_answer.reset();
        ConfigStore::EraseKey(CustomKey);
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, Qt::white);
    }

    void startsUnassignedWithNineteenItems()
    {
        TkrColorCombo combo;
        QCOMPARE(combo.count(), 19);
        QCOMPARE(combo.maxVisibleItems(), 10);
        QCOMPARE(combo.itemText(0), QStringLiteral("Unassigned"));
        QCOMPARE(combo.itemText(1), QStringLiteral("Custom..."));
        QCOMPARE(combo.itemText(2), QString());
        QCOMPARE(combo.itemText(18), QStringLiteral("Yellow"));
        QCOMPARE(combo.Text(), QString());
        QVERIFY(!combo.Color());
        QCOMPARE(combo.CustomColor(), Colors::clGray);
        combo.SetUnassignedCaption(QStringLiteral("Default"));
        QCOMPARE(combo.itemText(0), QStringLiteral("Default"));
    }

    void edgeValues()
    {
        TkrColorCombo combo;
        combo.SetText(QStringLiteral("#000080"));
        QCOMPARE(combo.currentText(), QStringLiteral("Navy"));
        QCOMPARE(combo.Text(), QStringLiteral("#000080"));   // left alone, read back as given

        // A value no item stands for is shown as an extra item and read back unchanged.
        combo.SetText(QStringLiteral("orange"));
        QCOMPARE(combo.count(), 20);
        QCOMPARE(combo.currentText(), QStringLiteral("orange"));
        QCOMPARE(combo.Text(), QStringLiteral("orange"));

        combo.SetText(QStringLiteral("#123"));
        QCOMPARE(combo.count(), 19);
        QCOMPARE(combo.currentIndex(), ciCustom);
        QCOMPARE(combo.Text(), QStringLiteral("#123"));
        // The custom item's swatch shows the new colour.
        const QImage swatch = combo.itemIcon(ciCustom).pixmap(12, 12).toImage();
        QCOMPARE(swatch.pixelColor(6, 6), QColor(0x00, 0x01, 0x23));

        combo.SetForceHex(true);
        combo.setCurrentIndex(14);
        QCOMPARE(combo.currentText(), QStringLiteral("Red"));
        QCOMPARE(combo.Text(), QStringLiteral("#FF0000"));

        combo.SetText(QString());
        QCOMPARE(combo.currentIndex(), ciUnassigned);
        QCOMPARE(combo.Text(), QString());
    }

    void choosingItems_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("text");
        QTest::newRow("a name fires the event") << 11 << 11 << 1 << "Navy";
        QTest::newRow("unassigned fires the event") << 0 << 0 << 1 << "";
        QTest::newRow("the separator selects Custom quietly") << 2 << 1 << 0 << "#808080";
    }
    void choosingItems()
    {
        QFETCH(int, index);
        QFETCH(int, selected);
        QFETCH(int, events);
        QFETCH(QString, text);
        TkrColorCombo combo;
        QSignalSpy spy(&combo, &TkrColorCombo::OnColorSelect);
        combo.setCurrentIndex(index);
        emit combo.activated(index);
        QCOMPARE(combo.currentIndex(), selected);
        QCOMPARE(spy.count(), events);
        QCOMPARE(combo.Text(), text);
        QCOMPARE(m_dialogs, 0);
    }

    // The keys never leave the selection on the separator, which would snap back to Custom.
    void keysStepOverTheSeparator_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("down from Custom to Aqua") << 1 << int(Qt::Key_Down) << 3 << 0;
        QTest::newRow("right from Custom to Aqua") << 1 << int(Qt::Key_Right) << 3 << 0;
        QTest::newRow("up from Aqua to Custom opens the dialog") << 3 << int(Qt::Key_Up) << 1 << 1;
        QTest::newRow("left from Aqua to Custom opens the dialog") << 3 << int(Qt::Key_Left) << 1 << 1;
        QTest::newRow("down from unassigned to Custom") << 0 << int(Qt::Key_Down) << 1 << 1;
        QTest::newRow("up from Custom to unassigned") << 1 << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("down from Aqua to Black") << 3 << int(Qt::Key_Down) << 4 << 0;
        QTest::newRow("right from Aqua to Black") << 3 << int(Qt::Key_Right) << 4 << 0;
        QTest::newRow("left from Black to Aqua") << 4 << int(Qt::Key_Left) << 3 << 0;
    }
    void keysStepOverTheSeparator()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        QFETCH(int, dialogs);
        TkrColorCombo combo;
        combo.setCurrentIndex(from);
        QTest::keyClick(&combo, Qt::Key(key));
        QCOMPARE(combo.currentIndex(), to);
        QCOMPARE(m_dialogs, dialogs);
    }

    void customColourConfirmed()
    {
        WriteCustomColors(Root, SavedCustomColors(TColor(0x0000AA)));
        m_answer = QColor(0xAB, 0xCD, 0xEF);
        TkrColorCombo combo;
        combo.SetRegRoot(Root);
        QSignalSpy spy(&combo, &TkrColorCombo::OnColorSelect);
        combo.setCurrentIndex(ciCustom);
        emit combo.activated(ciCustom);

        QCOMPARE(m_dialogs, 1);
        QCOMPARE(m_initial, QColor(0x80, 0x80, 0x80));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(combo.currentIndex(), ciCustom);
        QCOMPARE(combo.Text(), QStringLiteral("#ABCDEF"));
        // The saved custom colours were loaded for the dialog and saved after it.
        QCOMPARE(m_customSlot3, QColor(0xAA, 0, 0));
        const QStringList saved = ReadCustomColors(Root);
        QCOMPARE(saved.value(0), CustomColorEntry(0, QColorToColor(QColor(0x12, 0x34, 0x56))));
        QCOMPARE(saved.value(3), CustomColorEntry(3, TColor(0x0000AA)));
    }

    void customColourCancelled()
    {
        TkrColorCombo combo;
        combo.SetRegRoot(Root);
        combo.SetText(QStringLiteral("#010203"));
        QSignalSpy spy(&combo, &TkrColorCombo::OnColorSelect);
        emit combo.activated(ciCustom);
        QCOMPARE(m_dialogs, 1);
        QCOMPARE(m_initial, QColor(1, 2, 3));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(combo.Text(), QStringLiteral("#010203"));
        QVERIFY(!ConfigStore::KeyExists(CustomKey));
    }

    void noRegRootKeepsNothing()
    {
        m_answer = QColor(Qt::red);
        TkrColorCombo combo;
        combo.setCurrentIndex(ciCustom);
        emit combo.activated(ciCustom);
        TkrColorSelection panel;
        emit panel.OtherButton()->clicked();
        QCOMPARE(m_dialogs, 2);
        QVERIFY(!ConfigStore::KeyExists(CustomKey));
        QVERIFY(!ConfigStore::KeyExists(QStringLiteral("\\CustomColors")));
        QVERIFY(!ConfigStore::KeyExists(QStringLiteral("CustomColors")));
    }

    void panelLayout()
    {
        TkrColorSelection panel;
        QCOMPARE(panel.size(), QSize(76, 96));
        QCOMPARE(panel.OtherButton()->text(), QStringLiteral("Other..."));
        QCOMPARE(panel.OtherButton()->geometry(), QRect(4, 73, 68, 19));
        QCOMPARE(panel.Color(), Colors::clWhite);
    }

    void swatchClicks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("rgb");
        QTest::newRow("first: black") << 1 << 1 << "000000";
        QTest::newRow("row 1, column 2: maroon") << 2 << 1 << "800000";
        QTest::newRow("row 2, column 1: navy") << 1 << 2 << "000080";
        QTest::newRow("row 3, column 2: red") << 2 << 3 << "FF0000";
        QTest::newRow("row 4, column 3: aqua") << 3 << 4 << "00FFFF";
        QTest::newRow("last: white") << 4 << 4 << "FFFFFF";
    }
    void swatchClicks()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, rgb);
        TkrColorSelection panel;
        panel.SetColor(Colors::clGreen);
        const QPoint centre(18 * column - 16 + 8, 18 * row - 16 + 8);
        QCOMPARE(ColorToHex(QColorToColor(panel.grab().toImage().pixelColor(centre))), rgb);

        QSignalSpy spy(&panel, &TkrColorSelection::OnColorSelect);
        QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, centre);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<TkrColorSelection *>(), &panel);
        QCOMPARE(ColorToHex(spy.at(0).at(1).value<TColor>()), rgb);
        QCOMPARE(ColorToHex(panel.Color()), rgb);
    }

    void clickBetweenSwatchesDoesNothing()
    {
        TkrColorSelection panel;
        QSignalSpy spy(&panel, &TkrColorSelection::OnColorSelect);
        QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(18, 18));
        QTest::mouseClick(&panel, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(panel.Color(), Colors::clWhite);
    }

    void otherConfirmed()
    {
        WriteCustomColors(Root, SavedCustomColors(TColor(0x00AA00)));
        m_answer = QColor(0x10, 0x20, 0x30);
        TkrColorSelection panel;
        panel.SetRegRoot(Root);
        panel.show();
        QSignalSpy spy(&panel, &TkrColorSelection::OnColorSelect);
        QTest::mouseClick(panel.OtherButton(), Qt::LeftButton);
        QCOMPARE(m_dialogs, 1);
        QCOMPARE(m_initial, QColor(Qt::white));
        QCOMPARE(m_customSlot3, QColor(0, 0xAA, 0));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(ColorToHex(spy.at(0).at(1).value<TColor>()), QStringLiteral("102030"));
        QCOMPARE(ColorToHex(panel.Color()), QStringLiteral("102030"));
        QVERIFY(panel.isVisible());
        QCOMPARE(ReadCustomColors(Root).value(0), CustomColorEntry(0, QColorToColor(QColor(0x12, 0x34, 0x56))));
    }

    void otherCancelledHidesThePanel()
    {
        TkrColorSelection panel;
        panel.SetRegRoot(Root);
        panel.show();
        QSignalSpy spy(&panel, &TkrColorSelection::OnColorSelect);
        QTest::mouseClick(panel.OtherButton(), Qt::LeftButton);
        QCOMPARE(m_dialogs, 1);
        QCOMPARE(spy.count(), 0);
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.Color(), Colors::clWhite);
        QVERIFY(!ConfigStore::KeyExists(CustomKey));
    }
};

QTEST_MAIN(TestColorCombo)
#include "tst_colorcombo.moc"
