#pragma once

#include <QString>
#include <QStringList>

#include "dialogs/tagdialog.h"

// The values of the comment, anchor, font, body, horizontal-rule and META dialogs and the
// markup made from them. The dialogs only show these fields; filling them from a tag or a
// file and building the text happen here.

// ---- comment

// The memo's text for a comment tag: the tag with every "<!--" and "-->" taken out.
QString CommentMemoText(const QString &tag);
// One comment per memo line ("<!--" + line + "-->" + CR LF); a last line that is empty is
// skipped. Comment text is never case-converted. A comment has no end text.
// Editing a comment, a memo left as it was filled gives the comment back unchanged.
TTagResult BuildComment(const QString &memoText, const QString &editedTag = QString());

// ---- anchor

struct TAnchorFields
{
    QString Href;
    QString Target;
    QString Name;
    QString Description;   // placed after a new anchor's start tag

    bool operator==(const TAnchorFields &) const = default;
};

// The targets the Target list offers.
QStringList AnchorTargetWords();
// The fields as the dialog starts with them: the context's file as HREF, then, in edit
// mode, HREF, TARGET and NAME from the edited tag.
TAnchorFields OpenAnchorFields(const TDialogContext &context);
// A file chosen for HREF: its reference (lower-cased under LowerCaseFiles).
QString AnchorFileHref(const TDialogContext &context, const QString &file);
// The HREF written and remembered: lower-cased as a whole under LowerCaseFiles (typed web
// addresses too), except an HREF left as the edited tag held it.
QString AnchorLinkTarget(const TAnchorFields &fields, const TDialogContext &context);
// The edited tag or "<A>" with HREF, TARGET and NAME. A new anchor's start text is the tag
// followed by the description, its end text "</A>".
TTagResult BuildAnchorTag(const TAnchorFields &fields, const TDialogContext &context);

// ---- font

struct TFontFields
{
    QString Sign;                          // "", "+" or "-"
    QString Size = QStringLiteral("2");
    QString Face;
    QString Color;

    bool operator==(const TFontFields &) const = default;
};

// The sign list of the size box.
QStringList FontSignWords();
// Fills from a FONT tag: SIZE split into sign and number ("-2" gives "-" and "2"), FACE,
// COLOR.
void FillFontFields(TFontFields &fields, const QString &tag);
TFontFields OpenFontFields(const TDialogContext &context);
// The edited tag or "<FONT>" with SIZE (sign + size; none with the size box empty), FACE
// and COLOR; "</FONT>" for a new element. A SIZE whose sign and number are as read stays
// as it stood.
TTagResult BuildFontTag(const TFontFields &fields, const TDialogContext &context);

// ---- body

struct TBodyFields
{
    QString Background;
    QString BgColor;
    QString Text;
    QString Link;
    QString VLink;
    QString ALink;

    bool operator==(const TBodyFields &) const = default;
};

void FillBodyFields(TBodyFields &fields, const QString &tag);
TBodyFields OpenBodyFields(const TDialogContext &context);
// A background image chosen in the dialog: under LowerCaseFiles only its folder is
// lower-cased, the file name keeps its case.
QString BodyImageReference(const TDialogContext &context, const QString &file);
// The edited tag or "<BODY>" with BACKGROUND, BGCOLOR, TEXT, LINK, VLINK and ALINK; a new
// body ends with three CR LF and "</BODY>".
TTagResult BuildBodyTag(const TBodyFields &fields, const TDialogContext &context);

// ---- horizontal rule

struct THorzRuleFields
{
    QString Align;
    QString Size;
    QString Width;
    bool NoShade = false;

    bool operator==(const THorzRuleFields &) const = default;
};

QStringList HorzRuleAlignWords();
// ALIGN, SIZE and WIDTH; "No shading" only where NOSHADE stands as a flag, not inside a
// quoted value (CLASS="noshade").
void FillHorzRuleFields(THorzRuleFields &fields, const QString &tag);
THorzRuleFields OpenHorzRuleFields(const TDialogContext &context);
// The edited tag or "<HR>" with ALIGN, SIZE, WIDTH and the NOSHADE flag, then put in the
// tag case: the tag name, every attribute name and the values the dialog wrote. Values of
// attributes the dialog does not know, and its own values left as read, keep their case.
TTagResult BuildHorzRuleTag(const THorzRuleFields &fields, const TDialogContext &context);

// ---- META

struct TMetaFields
{
    QString HttpEquiv;
    QString Content;
    QString Name;
    QString Url;

    bool operator==(const TMetaFields &) const = default;
};

// The entries both lists offer (HTTP-EQUIV and Name).
QStringList MetaWords();
void FillMetaFields(TMetaFields &fields, const QString &tag);
TMetaFields OpenMetaFields(const TDialogContext &context);
// The edited tag or "<META>" (never case-converted) with HTTP-EQUIV, CONTENT, NAME and URL.
TTagResult BuildMetaTag(const TMetaFields &fields, const TDialogContext &context);
