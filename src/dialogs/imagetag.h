#pragma once

#include <QString>

#include "dialogs/tagdialog.h"

// The image dialog's values and the IMG tag made from them. The dialog only shows these
// fields; filling them from a tag or a file and building the tag happen here.
struct TImageFields
{
    QString Source;           // the text written as SRC
    QString Width;
    QString Height;
    QString HSpace;
    QString VSpace;
    QString Border = QStringLiteral("0");
    QString Align;
    QString Alt;
    QString UseMap;
    bool IsMap = false;
    QString DynSource;        // the text written as DYNSRC
    QString DynStart = QStringLiteral("FILEOPEN");
    bool DynInfinite = true;
    QString DynLoop = QStringLiteral("1");
    QString DynLoopDelay;
    bool DynControls = false;

    // The real paths of the files chosen for Source and Dyn Source (empty when the text
    // was typed or read from a tag). Files are read through these, never through the
    // possibly lower-cased reference.
    QString SourceFile;
    QString DynSourceFile;

    bool operator==(const TImageFields &) const = default;
};

// The alignment words the Align list offers, and the start events of the Start list.
QStringList ImageAlignWords();
QStringList ImageDynStartWords();

// "AutoFillImageSize" under "Software\Pendwick": on when "-1" or absent.
bool AutoFillImageSizeSetting();

// Clear: empties Source, Dyn Source, Alt, Use Map, Width and Height, sets Border to "0",
// drops the alignment and ISMAP and forgets both chosen files. Spacing, loop and start
// values stay.
void ClearImageFields(TImageFields &fields);

// Fills the fields from an IMG tag, each from its attribute (missing ones give empty text).
void FillImageFields(TImageFields &fields, const QString &tag);
TImageFields ReadImageFields(const QString &tag);

// A file chosen as source: its reference goes into Source; Width and Height are emptied
// and, with autoSize on, filled from the image's own pixel size when the file is an image
// that can be read.
void SetImageSourceFile(TImageFields &fields, const QString &file, const QString &baseFolder, bool lowerCaseFiles,
                        bool autoSize);
// A file chosen as dynamic source: its reference goes into Dyn Source.
void SetImageDynSourceFile(TImageFields &fields, const QString &file, const QString &baseFolder,
                           bool lowerCaseFiles);
// A new base folder: the references of chosen files are computed again.
void RebaseImageFiles(TImageFields &fields, const QString &baseFolder, bool lowerCaseFiles);

// The Use Map value the tag gets: as the edited tag holds it when the user left it alone,
// else with a "#" in front unless it has one.
QString ImageUseMapValue(const TImageFields &fields, const TDialogContext &context);

// The fields as the dialog starts with them: cleared, then the context's file (as source,
// or as dynamic source with FileAsDynSource), then, in edit mode, the edited tag.
TImageFields OpenImageFields(const TDialogContext &context, bool autoSize);

// The IMG tag: the edited tag or "<IMG>" with SRC, WIDTH, HEIGHT, HSPACE, VSPACE, BORDER,
// ALIGN, ALT, USEMAP, ISMAP and, when there is a dynamic source, DYNSRC, LOOP, LOOPDELAY,
// START and CONTROLS. LowerCaseFiles applies to the sources only where they were typed or
// chosen in the dialog (FileReferenceText). An image has no end text.
TTagResult BuildImageTag(const TImageFields &fields, const TDialogContext &context);

// Whether OK may close the dialog: a source or a dynamic source is given.
bool ImageFieldsComplete(const TImageFields &fields);

// What the dialog inserts for a file without being shown (auto-size from the settings).
TTagResult ImageFromFile(const TDialogContext &context, const QString &file, bool dynamicSource);
