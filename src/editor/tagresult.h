#pragma once

#include <QString>

// The start text and end text of one insertion into the editor: what a tag button, a tag
// list entry or a tag dialog hands to InsertTags. The end text is empty for a single tag,
// and for a dialog in edit mode, where only the edited start tag is replaced.
struct TTagResult
{
    QString StartText;
    QString EndText;
    bool operator==(const TTagResult &) const = default;
};
