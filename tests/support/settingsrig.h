#pragma once
// A scratch application folder with its activity log and settings, on fake
// ports: where most subsystem rigs start.

#include "core/activitylog.h"
#include "core/criticalerrors.h"
#include "core/settings.h"
#include "fakeports.h"
#include "tempappdir.h"

namespace corvane::testing {

struct SettingsRig {
    TempAppDir dir;
    AppPaths paths{dir.path()};
    FakePorts fake;
    CriticalErrors critical;
    ActivityLog log{paths, fake.clock, critical};
    Settings settings{paths, log, critical};
};

} // namespace corvane::testing
