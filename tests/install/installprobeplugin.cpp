#include "installprobeplugin.h"

#include "installprobe.h"

QObject* InstallProbePlugin::create(const QString& name, const QString& /*parameters*/) {
    if (name.compare(QLatin1String("quillaninstallprobe"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new InstallProbe;
}
