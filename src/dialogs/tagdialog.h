#pragma once

#include <QString>
#include <QStringList>

#include "editor/tagresult.h"
#include "editor/tagtext.h"

// What every tag dialog shares: the tag builder, the context a dialog is opened with, file
// references, the texts made from a file without a dialog, the link history and the
// captions of the editor's Edit Tag entry. Nothing here needs a widget, so every dialog's
// output can be checked without showing it.

// Builds one start tag. It starts from the tag being edited, or, for a new element, from
// a skeleton such as "<IMG>" (put through TagCase unless keepSkeletonCase). Attributes are
// written in the order they are set; an edit keeps every attribute it is not told about
// where it stands, and an empty value removes the attribute. An attribute that already
// holds the value it is set to stays exactly as it stands (quotes and all), so a value
// the user did not touch is written back unchanged. Names are given with their "="
// ("WIDTH=") and always go through TagCase.
class TTagBuilder
{
public:
    TTagBuilder(const QString &editedTag, const QString &skeleton, bool keepSkeletonCase = false);

    bool IsEdit() const { return m_edit; }

    // NAME="value"; an empty value removes the attribute. A double quote in the value is
    // written as "&quot;"; a value that stood in single quotes keeps them if it can.
    void Quoted(const QString &name, const QString &value);
    // NAME=value, for pixel numbers and counts.
    void Bare(const QString &name, const QString &value);
    // Quoted when the value holds "%" (a width of "50%"), else bare.
    void QuotedIfPercent(const QString &name, const QString &value);
    // A keyword value, case-converted with its name (LOOP=INFINITE); one that stands in
    // another letter case is kept.
    void Keyword(const QString &name, const QString &keyword);
    // A flag attribute such as ISMAP: on adds " ISMAP" before the closing ">" unless the
    // tag has it already; off removes it. Text inside quoted values is never touched.
    void Flag(const QString &flag, bool on);

    QString Text() const { return m_text; }

private:
    static bool Holds(const TAttributeText &attribute, const QString &value,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive);

    QString m_text;
    bool m_edit = false;
};

// Whether a flag attribute stands in a tag outside any quoted value, double or single
// quoted (blank + flag, followed by a blank, ">" or the end; letter case ignored).
bool HasFlag(const QString &tagText, const QString &flag);

// What a dialog is handed before it is shown. Every tag dialog is opened the same way,
// static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context),
// so the options a dialog takes travel here; each dialog reads the ones it uses.
struct TDialogContext
{
    QString EditedTag;          // empty for a new element (edit mode otherwise)
    QString BaseFolder;         // file references are written relative to it
    bool LowerCaseFiles = false;
    QString FileName;           // full path when the element is made from a file
    QStringList LinkHistory;    // the targets offered by the dialogs that take links
    bool ForceHexColor = false; // colour combos yield "#RRGGBB" instead of colour names
    // Cleared when a file is dropped: the dialog is filled and its text built at once,
    // without showing it.
    bool Show = true;
    bool FileAsDynSource = false; // the image dialog takes FileName as its dynamic source
    bool HeaderCell = false;      // the table-cell dialog writes a header cell (TH)

    bool IsEdit() const { return !EditedTag.isEmpty(); }
};

// The folder file references are relative to: the document's own folder, or the file
// panel's folder for a document without a file name.
QString BaseFolder(const QString &documentFile, const QString &filePanelFolder);

// How a file is written into a tag: the relative path from the base folder to the file's
// folder, then the file name. With lowerCaseFiles the whole reference is lower-cased, or
// only the folder part when keepFileNameCase (the background-image choosers). The file
// itself is never renamed or looked up by that text: on this file system the real path
// is the only one that reaches the file.
QString FileReference(const QString &baseFolder, const QString &file, bool lowerCaseFiles,
                      bool keepFileNameCase = false);

// A reference the user typed or chose, as LowerCaseFiles writes it: lower-cased up to the
// first "?" or "#" (a query or a fragment keeps its case). An address with a scheme
// ("http:", "mailto:" ...) or starting with "//" names something on another host and is
// kept whole.
QString LowerCaseReference(const QString &reference);

// Whether value is what the edited tag holds for the attribute (name with its "="), so the
// user left it alone. Always false for a new element.
bool IsEditedValue(const TDialogContext &context, const QString &name, const QString &value);

// The text a dialog writes for a file reference: a value read from the edited tag and left
// alone is written back as it stood; one typed or chosen in the dialog is put through
// LowerCaseReference when LowerCaseFiles is on.
QString FileReferenceText(const TDialogContext &context, const QString &name, const QString &value);

// What a file picked in the file panel or dropped on the editor becomes.
enum TInsertFromFile {
    ifAnchor,           // HTML documents
    ifStyleLink,        // style sheets
    ifImageSource,      // images
    ifImageDynSource,   // video, Microsoft multimedia format
    ifBGSound,          // sound, Microsoft multimedia format
    ifEmbed,            // sound and video, Netscape multimedia format
    ifNothing           // anything else
};
TInsertFromFile InsertFromFileFor(const QString &file, bool multimediaFormatNetscape);

// The texts the dialogs produce for a new element made from a file with their default
// settings (what a drop inserts). The anchor's link target (the HREF value) is returned
// through linkTarget so the caller can put it into the link history after inserting.
TTagResult AnchorFromFile(const TDialogContext &context, const QString &file, QString *linkTarget = nullptr);
TTagResult EmbedFromFile(const TDialogContext &context, const QString &file);
TTagResult BGSoundFromFile(const TDialogContext &context, const QString &file);
// <LINK REL=STYLE TYPE="text/css" SRC="..."> ("text/css" keeps its case).
TTagResult StyleLinkFromFile(const TDialogContext &context, const QString &file);
// Any kind at once, for drops: the operation of InsertFromFileFor with the dialog unshown.
// Image files go through the image dialog's builder. Nothing for ifNothing.
TTagResult TextFromFile(const TDialogContext &context, const QString &file, bool multimediaFormatNetscape,
                        QString *linkTarget = nullptr);

// The link history under "Software\Pendwick\URLHistory", values "URL1", "URL2" ...
constexpr int LinkHistoryReadCount = 20;
constexpr int LinkHistoryWriteCount = 21;
QString LinkHistoryKey();
// The stored list, at most 20 entries, up to the first missing or empty value.
QStringList ReadLinkHistory();
// The list with target at its head: an empty target changes nothing, a target already in
// the list moves to the head instead of standing twice; at most 21 entries.
QStringList PushLinkTarget(const QStringList &history, const QString &target);
// Puts target at the head of the stored history and writes it back (the key is erased
// first). Always works on the stored list, never on a project's file list that may have
// been offered in its place. Returns the list written.
QStringList RememberLinkTarget(const QString &target);
// The list offered while a project is open: each project file as a reference relative to
// the active document's folder.
QStringList ProjectLinkList(const QStringList &projectFiles, const QString &documentFolder, bool lowerCaseFiles);

// The editor pop-up's Edit Tag entry: the kind's name as the pop-up shows it ("Table Data"),
// empty for Object and None.
QString TagKindPopupName(TTagKind kind);
// "Edit " + pop-up name + " Tag...", or "Edit Tag" when the kind has no dialog.
QString EditTagCaption(TTagKind kind);
// Whether a dialog edits tags of the kind (every kind but Object and None).
bool TagKindHasDialog(TTagKind kind);
