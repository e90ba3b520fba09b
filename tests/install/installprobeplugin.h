#pragma once

#include <QGenericPlugin>

// A Qt generic plugin that the installed-layout test loads into the installed program
// (through Qt's own QT_QPA_GENERIC_PLUGINS and QT_PLUGIN_PATH), so the program that is tested
// is exactly the one installed.
class InstallProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "installprobe.json")
public:
    QObject* create(const QString& name, const QString& parameters) override;
};
