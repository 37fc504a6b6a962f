#pragma once

// The main window's settings: one plain structure, and one table that names each value's
// key, value name and default. Loading and saving walk the same table, so a key or value
// name is written down once.

#include <QString>

#include "editor/colorcoding.h"
#include "platform/colortypes.h"

// How a placement is written at close: a normal window writes its place and size and
// its state, a maximised one only its state, a minimised one nothing.
enum TPlacementSave { psNothing, psStateOnly, psFull };

struct TMainSettings
{
    // The program's key itself.
    int ShowSplash;             // -1 (or text that is no number) shows the splash window
    QString DefaultExtension;   // added by Save As to a name without one
    QString DocumentTemplate;   // the New button's template
    int MultimediaFormat;       // non-zero: sound and video go in the alternative form
    bool SpellSkipTags;
    TColor DocumentBackgroundColor;
    TColor DocumentForegroundColor;
    int ColorCodeMode;          // as stored; ColorCodeModeOf() reads it
    bool WordWrap;
    int TabWidth;
    bool LowerCaseFiles;
    bool LowerCaseTags;
    bool ForceHexColor;
    int BrowserLaunchSetting;   // as stored; BrowserLaunchOf() reads it
    bool Rulers;
    bool StatusBar;
    bool ColorBar;              // only the text "0" hides it
    QString InitialDir;
    // "MainForm": the window's placement in its normal state.
    QString WindowState;
    int Left, Top, Width, Height;
    // "DocumentList": the file panel.
    bool DocListVisible;
    int DocListWidth;
    int DirListHeight;
    int ColWidth0, ColWidth1, ColWidth2;
    bool ListImages;
    bool ListMultimedia;
    bool ListOnlyFileNames;
    // "Toolbars".
    bool MainVisible;
    bool SpeedbarVisible;
    int ToolbarLayout;          // 0 vertical, otherwise horizontal
    // "InternalBrowser": the viewer's default font and colours.
    QString DefFontName;
    int DefFontSize;
    TColor DefFontColor;
    TColor DefHotSpotColor;

    // Every value at its default.
    TMainSettings();
    bool operator==(const TMainSettings &) const = default;

    // Reads every value; a missing or unreadable value gives its default and nothing is
    // written.
    void Load();
    // Writes the values the window keeps until it closes.
    void Save(TPlacementSave placement) const;

    // One value, for those read before the window exists and those written the moment
    // they change.
    void LoadValue(bool TMainSettings::*member);
    void LoadValue(int TMainSettings::*member);
    void LoadValue(QString TMainSettings::*member);
    void SaveValue(bool TMainSettings::*member) const;
    void SaveValue(int TMainSettings::*member) const;
    void SaveValue(QString TMainSettings::*member) const;
};

// "ColorCodeMode": 0 none, 2 full, anything else minimal.
TColorCodeMode ColorCodeModeOf(int stored);
// "BrowserLaunchSetting": 0, 1 or 2; anything else reads as 1.
int BrowserLaunchOf(int stored);

// Keys of lists and of values other parts keep, below the program's key.
QString RecentFilesKey();   // "MRUDocuments"
QString ColorCodingKey();   // "ColorCoding", the editors' fonts and colours
