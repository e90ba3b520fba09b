#pragma once

#include <QGenericPlugin>

// A Qt generic plugin that the start-up benchmark loads into the real program (through
// Qt's own QT_QPA_GENERIC_PLUGINS), so the program is timed without any change to it.
class StartupProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startupprobe.json")
public:
    QObject* create(const QString& name, const QString& parameters) override;
};
