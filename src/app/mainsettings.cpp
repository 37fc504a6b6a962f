#include "app/mainsettings.h"

#include <variant>

#include "platform/configstore.h"
#include "platform/programfolder.h"

namespace {

using S = TMainSettings;

// How a value's text reads.
enum TValueKind {
    vkBool,        // true only for "-1"
    vkNotZero,     // true unless the text is "0"
    vkInt,         // decimal text; anything else gives the default
    vkColor,       // decimal text of the 32-bit value, signed or unsigned
    vkText,
    vkProgramFile, // text; the default is a file (or, empty, the folder) of the program folder
};

// When the window writes a value; values it only reads are written by the settings
// dialog or by whoever changes them.
enum TWriteTime {
    wtNever,
    wtAtOnce,        // the moment it changes (SaveValue)
    wtAtClose,
    wtStateAtClose,  // at close unless minimised
    wtPlaceAtClose,  // at close in the normal state only
};

struct TSettingRow
{
    const char *SubKey; // "" is the program's key itself
    const char *Name;
    const char *Default; // as stored
    TValueKind Kind;
    std::variant<bool S::*, int S::*, QString S::*> Member;
    TWriteTime When;
};

// Rows written at close come in the order they are written.
const TSettingRow Rows[] = {
    {"MainForm", "Left", "4", vkInt, &S::Left, wtPlaceAtClose},
    {"MainForm", "Top", "4", vkInt, &S::Top, wtPlaceAtClose},
    {"MainForm", "Width", "774", vkInt, &S::Width, wtPlaceAtClose},
    {"MainForm", "Height", "550", vkInt, &S::Height, wtPlaceAtClose},
    {"MainForm", "WindowState", "Normal", vkText, &S::WindowState, wtStateAtClose},
    {"DocumentList", "DocListWidth", "138", vkInt, &S::DocListWidth, wtAtClose},
    {"DocumentList", "DirListHeight", "84", vkInt, &S::DirListHeight, wtAtClose},
    {"DocumentList", "Visible", "-1", vkBool, &S::DocListVisible, wtAtClose},
    {"DocumentList", "ColWidth_0", "128", vkInt, &S::ColWidth0, wtAtClose},
    {"DocumentList", "ColWidth_1", "50", vkInt, &S::ColWidth1, wtAtClose},
    {"DocumentList", "ColWidth_2", "150", vkInt, &S::ColWidth2, wtAtClose},
    {"DocumentList", "ListImages", "-1", vkBool, &S::ListImages, wtAtClose},
    {"DocumentList", "ListMultimedia", "-1", vkBool, &S::ListMultimedia, wtAtClose},
    {"", "WordWrap", "-1", vkBool, &S::WordWrap, wtAtClose},
    {"", "Rulers", "0", vkBool, &S::Rulers, wtAtClose},
    {"Toolbars", "ToolbarLayout", "0", vkInt, &S::ToolbarLayout, wtAtClose},
    {"Toolbars", "MainVisible", "-1", vkBool, &S::MainVisible, wtAtClose},
    {"Toolbars", "SpeedbarVisible", "-1", vkBool, &S::SpeedbarVisible, wtAtClose},

    {"", "ShowSplash", "-1", vkInt, &S::ShowSplash, wtNever},
    {"", "DefaultExtension", "html", vkText, &S::DefaultExtension, wtNever},
    {"", "DocumentTemplate", "Default.html", vkProgramFile, &S::DocumentTemplate, wtNever},
    {"", "MultimediaFormat", "0", vkInt, &S::MultimediaFormat, wtNever},
    {"", "SpellSkipTags", "0", vkBool, &S::SpellSkipTags, wtNever},
    {"", "DocumentBackgroundColor", "-2147483643", vkColor, &S::DocumentBackgroundColor, wtNever},
    {"", "DocumentForegroundColor", "0", vkColor, &S::DocumentForegroundColor, wtNever},
    {"", "ColorCodeMode", "2", vkInt, &S::ColorCodeMode, wtAtOnce},
    {"", "TabWidth", "20", vkInt, &S::TabWidth, wtNever},
    {"", "LowerCaseFiles", "-1", vkBool, &S::LowerCaseFiles, wtNever},
    {"", "LowerCaseTags", "0", vkBool, &S::LowerCaseTags, wtNever},
    {"", "ForceHexColor", "0", vkBool, &S::ForceHexColor, wtNever},
    {"", "BrowserLaunchSetting", "0", vkInt, &S::BrowserLaunchSetting, wtNever},
    {"", "StatusBar", "-1", vkBool, &S::StatusBar, wtAtOnce},
    {"", "ColorBar", "-1", vkNotZero, &S::ColorBar, wtNever},
    {"", "InitialDir", "", vkProgramFile, &S::InitialDir, wtAtOnce},
    {"DocumentList", "ListOnlyFileNames", "0", vkBool, &S::ListOnlyFileNames, wtNever},
    {"InternalBrowser", "DefFontName", "Times New Roman", vkText, &S::DefFontName, wtNever},
    {"InternalBrowser", "DefFontSize", "12", vkInt, &S::DefFontSize, wtNever},
    {"InternalBrowser", "DefFontColor", "0", vkColor, &S::DefFontColor, wtNever},
    {"InternalBrowser", "DefHotSpotColor", "16711680", vkColor, &S::DefHotSpotColor, wtNever},
};

QString KeyOf(const TSettingRow &row)
{
    return *row.SubKey ? PendwickKey(QString::fromLatin1(row.SubKey)) : PendwickKey();
}

QString DefaultText(const TSettingRow &row)
{
    const QString text = QLatin1String(row.Default);
    return row.Kind == vkProgramFile ? ProgramFolder() + text : text;
}

// Puts a row's value into the structure: read from the store, or the default when
// fromStore is false. The store's typed reads keep its rules for each kind.
void Assign(S &s, const TSettingRow &row, bool fromStore)
{
    const QString key = KeyOf(row), name = QLatin1String(row.Name), fallback = DefaultText(row);
    switch (row.Kind) {
    case vkBool:
        s.*std::get<bool S::*>(row.Member) =
            fromStore ? ConfigStore::ReadBool(key, name, ConfigStore::IsTrueText(fallback)) : ConfigStore::IsTrueText(fallback);
        break;
    case vkNotZero:
        s.*std::get<bool S::*>(row.Member) = (fromStore ? ConfigStore::Read(key, name, fallback) : fallback) != QLatin1String("0");
        break;
    case vkInt:
        s.*std::get<int S::*>(row.Member) = fromStore ? ConfigStore::ReadInt(key, name, ConfigStore::ParseInt(fallback, 0))
                                                      : ConfigStore::ParseInt(fallback, 0);
        break;
    case vkColor:
        s.*std::get<int S::*>(row.Member) = fromStore ? ConfigStore::ReadColor(key, name, ConfigStore::ParseInt(fallback, 0))
                                                      : ConfigStore::ParseInt(fallback, 0);
        break;
    case vkText:
    case vkProgramFile:
        s.*std::get<QString S::*>(row.Member) = fromStore ? ConfigStore::Read(key, name, fallback) : fallback;
        break;
    }
}

QString TextOf(const S &s, const TSettingRow &row)
{
    switch (row.Kind) {
    case vkBool:
    case vkNotZero: return ConfigStore::BoolText(s.*std::get<bool S::*>(row.Member));
    case vkInt:
    case vkColor: return QString::number(s.*std::get<int S::*>(row.Member));
    case vkText:
    case vkProgramFile: break;
    }
    return s.*std::get<QString S::*>(row.Member);
}

template <typename Member>
const TSettingRow &RowOf(Member member)
{
    for (const TSettingRow &row : Rows)
        if (std::holds_alternative<Member>(row.Member) && std::get<Member>(row.Member) == member)
            return row;
    Q_UNREACHABLE(); // every member has its row
}

template <typename Member>
void SaveRowOf(const S &s, Member member)
{
    const TSettingRow &row = RowOf(member);
    ConfigStore::Write(KeyOf(row), QLatin1String(row.Name), TextOf(s, row));
}

} // namespace

TMainSettings::TMainSettings()
{
    for (const TSettingRow &row : Rows)
        Assign(*this, row, false);
}

void TMainSettings::Load()
{
    for (const TSettingRow &row : Rows)
        Assign(*this, row, true);
}

void TMainSettings::Save(TPlacementSave placement) const
{
    for (const TSettingRow &row : Rows) {
        const bool write = row.When == wtAtClose || (row.When == wtStateAtClose && placement != psNothing) ||
                           (row.When == wtPlaceAtClose && placement == psFull);
        if (write)
            ConfigStore::Write(KeyOf(row), QLatin1String(row.Name), TextOf(*this, row));
    }
}

void TMainSettings::LoadValue(bool TMainSettings::*member) { Assign(*this, RowOf(member), true); }
void TMainSettings::LoadValue(int TMainSettings::*member) { Assign(*this, RowOf(member), true); }
void TMainSettings::LoadValue(QString TMainSettings::*member) { Assign(*this, RowOf(member), true); }

void TMainSettings::SaveValue(bool TMainSettings::*member) const { SaveRowOf(*this, member); }
void TMainSettings::SaveValue(int TMainSettings::*member) const { SaveRowOf(*this, member); }
void TMainSettings::SaveValue(QString TMainSettings::*member) const { SaveRowOf(*this, member); }

TColorCodeMode ColorCodeModeOf(int stored)
{
    switch (stored) {
    case 0: return ccNone;
    case 2: return ccFull;
    default: return ccMinimal;
    }
}

int BrowserLaunchOf(int stored)
{
    return (stored >= 0 && stored <= 2) ? stored : 1;
}

QString RecentFilesKey() { return PendwickKey(u"MRUDocuments"); }
QString ColorCodingKey() { return PendwickKey(u"ColorCoding"); }
