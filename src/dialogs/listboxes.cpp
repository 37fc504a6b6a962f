#include "dialogs/listboxes.h"

#include <QComboBox>

void ChooseListText(QComboBox *box, const QString &text)
{
    if (box->isEditable()) {
        box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text, Qt::MatchFixedString));
        box->setEditText(text);
        return;
    }
    if (!text.isEmpty() && box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        box->addItem(text);
    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString ListText(const QComboBox *box)
{
    return box->isEditable() || box->currentIndex() >= 0 ? box->currentText() : QString();
}
