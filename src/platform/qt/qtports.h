#pragma once
// The Qt implementations of every port but the prompts, which differ between
// the window program and the headless one.

#include "core/ports.h"
#include "platform/qt/qtdesktop.h"
#include "platform/qt/qteventloop.h"
#include "platform/qt/qtnetwork.h"

namespace corvane::qt {

struct QtPorts {
    QtEventLoop loop;
    QtNetworkFactory net{loop};
    QtClock clock;
    QtShell shell;
    QtDownloader downloader;

    Ports with(Prompts& prompts) { return Ports{loop, net, prompts, clock, shell, downloader}; }
};

} // namespace corvane::qt
