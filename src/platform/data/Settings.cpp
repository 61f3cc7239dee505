#include "Settings.h"

#include <QSettings>
#include <QStringList>
#include <memory>

namespace {

std::unique_ptr<QSettings>& store() {
    static std::unique_ptr<QSettings> settings;
    if (!settings)
        settings =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("Vellagon"), QStringLiteral("Vellagon"));
    return settings;
}

// QSettings compares names with case; find the stored spelling of a name, if any.
QString storedName(const QStringList& names, const QString& wanted) {
    for (const QString& name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    return wanted;
}

// Leaves the store inside the group of that section, under its stored spelling.
QString enterSection(QSettings& s, const QString& section) {
    const QString group = storedName(s.childGroups(), section);
    s.beginGroup(group);
    return group;
}

} // namespace

namespace Settings {

QString value(const QString& section, const QString& key, const QString& defaultValue) {
    QSettings& s = *store();
    s.sync();
    enterSection(s, section);
    const QString name = storedName(s.childKeys(), key);
    const QVariant v = s.value(name);
    s.endGroup();
    if (!v.isValid())
        return defaultValue;
    // An unquoted value with commas, written by hand, comes back from the INI reader as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void setValue(const QString& section, const QString& key, const QString& value) {
    QSettings& s = *store();
    enterSection(s, section);
    s.setValue(storedName(s.childKeys(), key), value);
    s.endGroup();
    s.sync();
}

void remove(const QString& section, const QString& key) {
    QSettings& s = *store();
    enterSection(s, section);
    s.remove(storedName(s.childKeys(), key));
    s.endGroup();
    s.sync();
}

QString fileName() {
    return store()->fileName();
}

void useFile(const QString& iniPath) {
    store() = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

} // namespace Settings
