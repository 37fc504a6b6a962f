#include "dialogs/imagetag.h"

#include <QFileInfo>

#include "common/fileutils.h"
#include "common/imagesize.h"
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

void FillImageFields(TImageFields &fields, const QString &tag)
{
    const auto value = [&tag](const char *name) { return GetAttributeValue(tag, QString::fromLatin1(name)); };
    fields.Source = value("SRC=");
    fields.Alt = value("ALT=");
    fields.UseMap = value("USEMAP=");
    fields.Width = value("WIDTH=");
    fields.Height = value("HEIGHT=");
    fields.Border = value("BORDER=");
    fields.HSpace = value("HSPACE=");
    fields.VSpace = value("VSPACE=");
    fields.Align = value("ALIGN=");
    fields.DynSource = value("DYNSRC=");
    fields.DynStart = value("START=");
    fields.DynLoopDelay = value("LOOPDELAY=");
    // Flags count only where they stand as attributes, not inside a quoted value.
    fields.IsMap = HasFlag(tag, QStringLiteral("ISMAP"));
    fields.DynControls = HasFlag(tag, QStringLiteral("CONTROLS"));
    const QString loop = value("LOOP=");
    fields.DynInfinite = loop.compare(QLatin1String("INFINITE"), Qt::CaseInsensitive) == 0;
    if (!fields.DynInfinite)
        fields.DynLoop = loop;
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

QString ImageUseMapText(const QString &useMap)
{
    if (useMap.isEmpty() || useMap.startsWith(u'#'))
        return useMap;
    return u'#' + useMap;
}

QString ImageUseMapValue(const TImageFields &fields, const TDialogContext &context)
{
    if (IsEditedValue(context, QStringLiteral("USEMAP="), fields.UseMap))
        return fields.UseMap;
    return ImageUseMapText(fields.UseMap);
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
    tag.Quoted(QStringLiteral("SRC="), FileReferenceText(context, QStringLiteral("SRC="), fields.Source));
    tag.Bare(QStringLiteral("WIDTH="), fields.Width);
    tag.Bare(QStringLiteral("HEIGHT="), fields.Height);
    tag.Bare(QStringLiteral("HSPACE="), fields.HSpace);
    tag.Bare(QStringLiteral("VSPACE="), fields.VSpace);
    tag.Bare(QStringLiteral("BORDER="), fields.Border);
    tag.Quoted(QStringLiteral("ALIGN="), fields.Align);
    tag.Quoted(QStringLiteral("ALT="), fields.Alt);
    tag.Quoted(QStringLiteral("USEMAP="), ImageUseMapValue(fields, context));
    tag.Flag(QStringLiteral("ISMAP"), fields.IsMap);
    // Without a dynamic source an edited tag keeps whatever video attributes it has.
    if (!fields.DynSource.isEmpty()) {
        tag.Quoted(QStringLiteral("DYNSRC="), FileReferenceText(context, QStringLiteral("DYNSRC="), fields.DynSource));
        if (fields.DynInfinite)
            tag.Keyword(QStringLiteral("LOOP="), QStringLiteral("INFINITE"));
        else
            tag.Bare(QStringLiteral("LOOP="), fields.DynLoop);
        tag.Bare(QStringLiteral("LOOPDELAY="), fields.DynLoopDelay);
        tag.Bare(QStringLiteral("START="), fields.DynStart);
        tag.Flag(QStringLiteral("CONTROLS"), fields.DynControls);
    }
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
