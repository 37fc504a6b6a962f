#pragma once

// The commands of the Tags and Edit menus and of the editor's pop-up menu that write into
// the active document without a dialog of their own.

#include <QObject>

class TfMain;

class TEditCommands : public QObject
{
public:
    explicit TEditCommands(TfMain &main);

    // A start and an end tag around the selection, in the tag case.
    void InsertTag(const QString &startText, const QString &endText);
    // An entity or a date caption, written as it stands.
    void InsertCaption(const QString &caption);
    void InsertNonBreakingSpace();
    void SelectAll();
    // Asks first; only a Yes strips.
    void StripAllTags();
    void StripOutermostTags();
    // Upper or lower case of the letters A to Z in the selection.
    void ChangeCase(bool upper);
    // The selected lines as a list or a table, as the conversion dialog says.
    void ConvertLines(bool table);
    void GoToLine();
    // The quick table sizer's choice at the caret.
    void InsertQuickTable(int rows, int columns);

private:
    TfMain &m_main;
};
