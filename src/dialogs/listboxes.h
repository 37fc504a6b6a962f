#pragma once
// The list boxes of the tag dialogs: showing a value read from a tag, and reading it back.
#include <QString>

class QComboBox;

// Shows text in a list box: the matching entry (letter case ignored) with the text as it
// stands, or none for an empty text. A fixed list that has no entry spelt exactly so gets
// one, so a value read from a tag is handed back unchanged.
void ChooseListText(QComboBox *box, const QString &text);
// What a list box holds: its text, or nothing while a fixed list has no entry chosen.
QString ListText(const QComboBox *box);
