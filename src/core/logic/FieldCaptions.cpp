#include "FieldCaptions.h"

#include "SharedState.h"
#include "platform/data/Settings.h"

namespace FieldCaptions {

namespace {

struct CaptionEntry {
    QString* variable;
    const char* section;
    const char* key;
    const char* defaultCaption;
};

// In the order of Field.
const CaptionEntry Entries[] = {
    {&gstrFrame1Caption, "Frame1Caption", "Default Frame1 Caption", "Client"},
    {&gstrFrame2Caption, "Frame2Caption", "Default Frame2 Caption", "Employee (or user)"},
    {&gstrFrame3Caption, "Frame3Caption", "Default Frame3 Caption", "Project"},
    {&gstrFrame5Caption, "Frame5Caption", "Default Frame5 Caption", "Invoice summary line"},
};

} // namespace

QString& caption(Field field) {
    return *Entries[field].variable;
}

void read() {
    for (const CaptionEntry& e : Entries)
        *e.variable = Settings::value(QString::fromLatin1(e.section), QString::fromLatin1(e.key),
                                      QString::fromLatin1(e.defaultCaption));
}

void store(Field field, const QString& text) {
    const CaptionEntry& e = Entries[field];
    *e.variable = text;
    Settings::setValue(QString::fromLatin1(e.section), QString::fromLatin1(e.key), text);
}

} // namespace FieldCaptions
