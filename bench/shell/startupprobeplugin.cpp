#include "startupprobeplugin.h"

#include "startupprobe.h"

QObject* StartupProbePlugin::create(const QString& name, const QString& /*parameters*/) {
    if (name.compare(QLatin1String("quillanstartupprobe"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new StartupProbe;
}
