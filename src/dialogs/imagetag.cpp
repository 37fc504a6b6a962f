#include "dialogs/imagetag.h"

#include <QFileInfo>

#include "common/fileutils.h"
#include "common/imagesize.h"
#include "dialogs/tagfields.h"
#include "platform/configstore.h"

QStringList ImageAlignWords()
{
    return {QStringLiteral("TOP"),      QStringLiteral("MIDDLE"),   QStringLiteral("BOTTOM"),
            QStringLiteral("RIGHT"),    QStringLiteral("LEFT"),     QStringLiteral("TEXTTOP"),
            QStringLiteral("BASELINE"), QStringLiteral("ABSMIDDLE"), QStringLiteral("ABSBOTTOM")};
}

QStringList ImageDynStartWords()
{
    return {QStringLiteral("FILEOPEN"), QStringLiteral("MOUSEOVER"), QStringLiteral("FILEOPEN,MOUSEOVER")};
}

bool AutoFillImageSizeSetting()
{
    return ConfigStore::ReadBool(PendwickKey(), QStringLiteral("AutoFillImageSize"), true);
}

void ClearImageFields(TImageFields &fields)
{
    fields.Source.clear();
    fields.DynSource.clear();
    fields.Alt.clear();
    fields.UseMap.clear();
    fields.Width.clear();
    fields.Height.clear();
    fields.Border = QStringLiteral("0");
    fields.Align.clear();
    fields.IsMap = false;
    fields.SourceFile.clear();
    fields.DynSourceFile.clear();
}

namespace {

// The IMG attributes in the order they are written. The dynamic-source attributes are
// written only when there is a dynamic source.
constexpr TFieldSpec<TImageFields> ImageSpecs[] = {
    TextField("SRC=", &TImageFields::Source, vsReference),
    TextField("WIDTH=", &TImageFields::Width, vsBare),
    TextField("HEIGHT=", &TImageFields::Height, vsBare),
    TextField("HSPACE=", &TImageFields::HSpace, vsBare),
    TextField("VSPACE=", &TImageFields::VSpace, vsBare),
    TextField("BORDER=", &TImageFields::Border, vsBare),
    TextField("ALIGN=", &TImageFields::Align, vsQuoted),
    TextField("ALT=", &TImageFields::Alt, vsQuoted),
    TextField("USEMAP=", &TImageFields::UseMap, vsMapReference),
    FlagField("ISMAP", &TImageFields::IsMap),
};
constexpr TFieldSpec<TImageFields> DynSourceSpecs[] = {
    TextField("DYNSRC=", &TImageFields::DynSource, vsReference),
    KeywordField("LOOP=", "INFINITE", &TImageFields::DynInfinite, &TImageFields::DynLoop),
    TextField("LOOPDELAY=", &TImageFields::DynLoopDelay, vsBare),
    TextField("START=", &TImageFields::DynStart, vsBare),
    FlagField("CONTROLS", &TImageFields::DynControls),
};

} // namespace

void FillImageFields(TImageFields &fields, const QString &tag)
{
    ReadFields<TImageFields>(fields, ImageSpecs, tag);
    ReadFields<TImageFields>(fields, DynSourceSpecs, tag);
}

TImageFields ReadImageFields(const QString &tag)
{
    TImageFields fields;
    FillImageFields(fields, tag);
    return fields;
}

void SetImageSourceFile(TImageFields &fields, const QString &file, const QString &baseFolder, bool lowerCaseFiles,
                        bool autoSize)
{
    fields.SourceFile = file;
    fields.Width.clear();
    fields.Height.clear();
    if (autoSize && FileKindOf(file) == fkImage && QFileInfo(file).isFile()) {
        const TImageSize size = ImageSize(file);
        if (size.Width != 0)
            fields.Width = QString::number(size.Width);
        if (size.Height != 0)
            fields.Height = QString::number(size.Height);
    }
    fields.Source = FileReference(baseFolder, file, lowerCaseFiles);
}

void SetImageDynSourceFile(TImageFields &fields, const QString &file, const QString &baseFolder, bool lowerCaseFiles)
{
    fields.DynSourceFile = file;
    fields.DynSource = FileReference(baseFolder, file, lowerCaseFiles);
}

void RebaseImageFiles(TImageFields &fields, const QString &baseFolder, bool lowerCaseFiles)
{
    if (!fields.SourceFile.isEmpty())
        fields.Source = FileReference(baseFolder, fields.SourceFile, lowerCaseFiles);
    if (!fields.DynSourceFile.isEmpty())
        fields.DynSource = FileReference(baseFolder, fields.DynSourceFile, lowerCaseFiles);
}

QString ImageUseMapValue(const TImageFields &fields, const TDialogContext &context)
{
    return MapReferenceValue(context, QStringLiteral("USEMAP="), fields.UseMap);
}

TImageFields OpenImageFields(const TDialogContext &context, bool autoSize)
{
    TImageFields fields;
    ClearImageFields(fields);
    if (!context.FileName.isEmpty()) {
        if (context.FileAsDynSource)
            SetImageDynSourceFile(fields, context.FileName, context.BaseFolder, context.LowerCaseFiles);
        else
            SetImageSourceFile(fields, context.FileName, context.BaseFolder, context.LowerCaseFiles, autoSize);
    }
    if (context.IsEdit())
        FillImageFields(fields, context.EditedTag);
    return fields;
}

TTagResult BuildImageTag(const TImageFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<IMG>"));
    WriteFields<TImageFields>(tag, ImageSpecs, fields, context);
    // Without a dynamic source an edited tag keeps whatever video attributes it has.
    if (!fields.DynSource.isEmpty())
        WriteFields<TImageFields>(tag, DynSourceSpecs, fields, context);
    return {tag.Text(), QString()};
}

bool ImageFieldsComplete(const TImageFields &fields)
{
    return !fields.Source.isEmpty() || !fields.DynSource.isEmpty();
}

TTagResult ImageFromFile(const TDialogContext &context, const QString &file, bool dynamicSource)
{
    TDialogContext fromFile = context;
    fromFile.EditedTag.clear();
    fromFile.FileName = file;
    fromFile.FileAsDynSource = dynamicSource;
    return BuildImageTag(OpenImageFields(fromFile, AutoFillImageSizeSetting()), fromFile);
}
