#include "res/templates.h"

#include <array>

#include "res/resource.h"

namespace {

// Main window, in tab order.
constexpr ControlTemplate kMainControls[] = {
    {IDC_SELECT_SEEDS_FILE, ControlKind::PushButton, "📂 select seeds file...", 330, 92, 50, 17,
     kHidden},
    {IDC_SEEDS_FILE_PATH, ControlKind::Edit, "", 372, 93, 8, 12,
     kHidden | kReadOnly | kBorder | kAutoHScroll},
    {kNoId, ControlKind::GroupBox, "", 14, 167, 366, 48, kStyleNone},
    {kNoId, ControlKind::Label, "Current Serial Number:", 28, 176, 72, 8, kStyleNone},
    {IDC_SERIAL, ControlKind::Label, "", 106, 176, 74, 8, kStyleNone},
    {kNoId, ControlKind::Label, "Time:", 197, 176, 19, 8, kStyleNone},
    {IDC_TIME, ControlKind::Label, "", 222, 176, 123, 8, kStyleNone},
    {kNoId, ControlKind::Label, "Total:", 28, 200, 19, 8, kStyleNone},
    {IDC_TOTAL, ControlKind::Label, "0", 51, 200, 40, 8, kStyleNone},
    {kNoId, ControlKind::Label, "Success:", 110, 200, 28, 8, kStyleNone},
    {IDC_SUCCESS, ControlKind::Label, "0", 138, 200, 50, 8, kStyleNone},
    {kNoId, ControlKind::Label, "Fail:", 199, 200, 12, 8, kStyleNone},
    {IDC_FAIL, ControlKind::Label, "0", 215, 200, 53, 8, kStyleNone},
    {IDC_LOG_LIST, ControlKind::ListView, "", 15, 238, 365, 68, kBorder},
    {IDC_BURN_SEED, ControlKind::PushButton, "🔥 BURN SEED", 287, 55, 92, 33, kStyleNone},
    {IDC_STATUS, ControlKind::Label, "", 8, 2, 361, 8, kHidden | kCentred},
    {IDC_CLEAR_LOG, ControlKind::PushButton, "clear log", 332, 222, 48, 14, kStyleNone},
    {kNoId, ControlKind::Label, "NFC Device:", 15, 15, 51, 8, kStyleNone},
    {IDC_READERS, ControlKind::ComboBox, "", 60, 13, 252, 30, kVScroll | kAutoHScroll},
    {IDC_SEAL, ControlKind::PushButton, "Seal", 373, 184, 7, 14, kStyleNone},
    {kNoId, ControlKind::GroupBox, "", 14, 319, 366, 72, kStyleNone},
    {kNoId, ControlKind::Label, "UTC Time:", 28, 363, 34, 8, kStyleNone},
    {IDC_UTC_TIME, ControlKind::Edit, "", 88, 361, 103, 14, kBorder | kAutoHScroll},
    {IDC_CURRENT_TIME, ControlKind::PushButton, "🔄 current time", 199, 361, 60, 14, kStyleNone},
    {IDC_SET_TIME, ControlKind::PushButton, "🕐 SET TIME", 281, 360, 95, 26, kFlat},
    {IDC_LOG_CAPTION, ControlKind::CaptionLabel, "log", 15, 221, 120, 15, kStyleNone},
    {IDC_CLOCK_CAPTION, ControlKind::CaptionLabel, "syncing time", 14, 308, 81, 16, kStyleNone},
    {kNoId, ControlKind::Label, "⚠ click 'Connect' after selecting the NFC device ", 162, 27, 151,
     8, kStyleNone},
    {kNoId, ControlKind::Label,
     "⚠ please note that the connection capability either in the NFC modules or in  tokens is "
     "may be not completely stable, so you may need to retry with placing the token in a "
     "slightly different position. ",
     15, 135, 365, 18, kStyleNone},
    {IDC_SEED, ControlKind::Edit, "", 15, 55, 221, 14, kBorder | kAutoHScroll},
    {kNoId, ControlKind::Label, "enter the seed in base32 format", 15, 45, 155, 9, kStyleNone},
    {IDC_CONNECT, ControlKind::PushButton, "🔌connect", 315, 13, 65, 15, kStyleNone},
    {IDC_CLEAR_SEED, ControlKind::PushButton, "⌫ clear", 15, 87, 50, 13, kStyleNone},
    {kNoId, ControlKind::GroupBox, "", 13, 37, 367, 93, kStyleNone},
    {IDC_RANDOM_SEED, ControlKind::PushButton, "🔂 random", 15, 72, 50, 14, kStyleNone},
    {kNoId, ControlKind::Label,
     "click on 'current time' button to get the token synced with this computer's system time. "
     "\n⚠ warning: with certain token models setting time will clear the seed as well",
     23, 334, 351, 23, kStyleNone},
    {kNoId, ControlKind::Label,
     "If ACR122 NFC module is used, after placing the token on the NFC antenna surface, the LED "
     "indicator should turn green for some time and the serial number should appear in the "
     "section below. ",
     14, 153, 362, 17, kStyleNone},
    {IDC_CSV_NAME, ControlKind::Edit, "", 169, 81, 97, 14, kDisabled | kBorder | kAutoHScroll},
    {IDC_SAVE_CSV, ControlKind::CheckBox, "save as CSV* file", 99, 83, 68, 10, kStyleNone},
    {kNoId, ControlKind::Label,
     "* will save successfully burnt token data in a CSV file for Azure MFA", 153, 96, 222, 10,
     kStyleNone},
    {IDC_RANDOM_AFTER_BURN, ControlKind::CheckBox, "random seed after each successful burn", 99, 71,
     141, 10, kStyleNone},
    {IDC_ONLINE_DOCS, ControlKind::PushButton, "🔗 online documentation", 118, 111, 80, 14,
     kStyleNone},
    {IDC_TEST_SEED, ControlKind::PushButton, "🔗 test current seed", 15, 111, 96, 14, kStyleNone},
    {kNoId, ControlKind::Label, "Note! Buttons with 🔗 symbol launch Internet URLs", 216, 114, 161,
     8, kStyleNone},
};

constexpr ControlTemplate kAboutControls[] = {
    {kNoId, ControlKind::Icon, "", 14, 14, 21, 20, kStyleNone},
    {kNoId, ControlKind::Label, "TAMREK Ondrel 0.0.1", 42, 14, 114, 8, kStyleNone},
    {kNoId, ControlKind::Label, "for second generation Tamrek programmable tokens", 42, 24, 114, 18,
     kStyleNone},
    {kNoId, ControlKind::Label, "Runs on Qt 6 and PC/SC", 7, 47, 114, 8, kStyleNone},
    {IDOK, ControlKind::PushButton, "OK", 113, 41, 50, 14, kDefaultButton},
};

// The key dialog: the key controls are hidden, so it shows as an about box.
constexpr ControlTemplate kCustomerKeyControls[] = {
    {kNoId, ControlKind::Label, "Input Customer Key:", 206, 22, 8, 8, kHidden},
    {IDC_KEY_CANCEL, ControlKind::PushButton, "Cancel", 207, 35, 7, 6, kHidden},
    {IDC_KEY_ENTER, ControlKind::PushButton, "Enter", 207, 34, 7, 6, kHidden},
    {IDC_KEY_EDIT, ControlKind::Edit, "", 208, 41, 6, 12, kHidden | kBorder | kAutoHScroll, 32},
    {kNoId, ControlKind::Icon, "", 27, 22, 21, 20, kStyleNone},
    {kNoId, ControlKind::Label, "TAMREK Ondrel 0.0.1", 55, 20, 133, 9, kStyleNone},
    {kNoId, ControlKind::Label, "© 2026 TAMREK", 144, 56, 70, 9, kStyleNone},
    {kNoId, ControlKind::Label, "for second generation Tamrek programmable tokens", 57, 30, 133, 20,
     kStyleNone},
};

constexpr std::array kDialogs = {
    DialogTemplate{IDD_KESTRUNE_DIALOG, "TAMREK Ondrel 0.0.1β", 395, 398, "MS Shell Dlg", 9,
                   kSystemMenu | kMinimizeBox | kFixedBorder, IDR_MENU_MAIN, kMainControls},
    DialogTemplate{IDD_ABOUTBOX, "TAMREK Ondrel", 170, 62, "MS Shell Dlg", 9,
                   kSystemMenu | kModalFrame, 0, kAboutControls},
    DialogTemplate{IDD_INPUT_CUSTOMER_KEY, "About Ondrel", 224, 72, "MS Shell Dlg", 8,
                   kSystemMenu | kModalFrame, 0, kCustomerKeyControls},
};

constexpr MenuItemTemplate kAboutItems[] = {{"About Ondrel", ID_ABOUT_ONDREL}};
constexpr MenuPopupTemplate kMainPopups[] = {{"About", kAboutItems}};
constexpr std::array kMenus = {MenuTemplate{IDR_MENU_MAIN, kMainPopups}};

struct StringEntry {
    int id;
    const char* text;
};
constexpr StringEntry kStrings[] = {{IDS_ABOUTBOX, "about TAMREK Ondrel"}};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kDialogs)
        if (dialog.id == id) return &dialog;
    return nullptr;
}

const MenuTemplate* FindMenu(int id) {
    for (const MenuTemplate& menu : kMenus)
        if (menu.id == id) return &menu;
    return nullptr;
}

const char* LoadResString(int id) {
    for (const StringEntry& entry : kStrings)
        if (entry.id == id) return entry.text;
    return "";
}
