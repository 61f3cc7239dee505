#include "FontSetting.h"

#include "SharedState.h"
#include "platform/data/Dialogs.h"
#include "platform/data/Settings.h"
#include "platform/data/VbFormat.h"

#include <cmath>

namespace {

struct FontEntry {
    QString* name;
    QString* size;
    const char* nameSection;
    const char* nameKey;
    const char* sizeSection;
    const char* sizeKey;
    const char* defaultName;
};

// In the order of ProgramFont.
const FontEntry& entry(ProgramFont font) {
    static const FontEntry entries[] = {
        {&gstrDefaultFontName, &gstrDefaultFontSize, "DefaultFontName", "Default Font Name",
         "DefaultFontSize", "Default Font Size", "Times New Roman"},
        {&gstrDisplayFontName, &gstrDisplayFontSize, "DefaultDisplayFontName",
         "Default Display Font Name", "DefaultDisplayFontSize", "Default Display Font Size",
         "MS Sans Serif"},
        {&gstrEntryFontName, &gstrEntryFontSize, "DefaultEntryFontName", "Default Entry Font Name",
         "DefaultEntryFontSize", "Default Entry Font Size", "MS Sans Serif"},
        {&gstrToDoFontName, &gstrToDoFontSize, "DefaultToDoFontName", "Default To Do Font Name",
         "DefaultToDoFontSize", "Default To Do Font Size", "MS Sans Serif"},
        {&gstrLetterheadFontName, &gstrLetterheadFontSize, "DefaultLetterheadFontName",
         "Default Letterhead Font Name", "DefaultLetterheadFontSize",
         "Default Letterhead Font Size", "Times New Roman"},
        {&gstrReportFontName, &gstrReportFontSize, "DefaultReportFontName",
         "Default Report Font Name", "DefaultReportFontSize", "Default Report Font Size",
         "Times New Roman"},
        {&gstrVellagonFontName, &gstrVellagonFontSize, "DefaultVellagonFontName",
         "Default Vellagon Font Name", "DefaultVellagonFontSize", "Default Vellagon Font Size",
         "Times New Roman"},
        {&gstrPrintFontName, &gstrPrintFontSize, "DefaultPrintFontName", "Default Print Font Name",
         "DefaultPrintFontSize", "Default Print Font Size", "Times New Roman"},
    };
    return entries[int(font)];
}

constexpr ProgramFont AllFonts[] = {
    ProgramFont::Default,    ProgramFont::Display, ProgramFont::Entry,    ProgramFont::ToDo,
    ProgramFont::Letterhead, ProgramFont::Report,  ProgramFont::Vellagon, ProgramFont::Print};

// The dialog's flags: screen and printer fonts, with the effects panel.
constexpr int FontDialogFlags = 259;

// A size as the single-precision number it is kept as: its shortest text ("12", "10.5").
std::optional<QString> sizeOf(const QString& chosen) {
    const std::optional<double> points = VbFormat::parseNumber(chosen);
    if (!points || !(*points > 0) || !std::isfinite(float(*points)))
        return std::nullopt;
    return VbFormat::cstr(QVariant::fromValue(float(*points)));
}

} // namespace

void readFontSettings() {
    for (ProgramFont font : AllFonts) {
        const FontEntry& e = entry(font);
        *e.name =
            Settings::value(QString::fromLatin1(e.nameSection), QString::fromLatin1(e.nameKey),
                            QString::fromLatin1(e.defaultName));
    }
    for (ProgramFont font : AllFonts) {
        const FontEntry& e = entry(font);
        *e.size = Settings::value(QString::fromLatin1(e.sizeSection),
                                  QString::fromLatin1(e.sizeKey), QStringLiteral("12"));
    }
}

bool chooseFont(ProgramFont font) {
    Dialogs::FontRequest request;
    request.flags = FontDialogFlags;
    request.cancelError = false; // Cancel ends the command quietly
    const std::optional<Dialogs::FontChoice> choice = Dialogs::fontDialog(request);
    if (!choice)
        return false;
    const FontEntry& e = entry(font);
    *e.name = choice->name;
    Settings::setValue(QString::fromLatin1(e.nameSection), QString::fromLatin1(e.nameKey),
                       choice->name);
    if (const std::optional<QString> size = sizeOf(choice->size)) {
        *e.size = *size;
        Settings::setValue(QString::fromLatin1(e.sizeSection), QString::fromLatin1(e.sizeKey),
                           *size);
    }
    return true;
}
