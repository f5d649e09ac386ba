#pragma once
#include "core/apppaths.h"
#include "core/ports.h"

namespace corvane {

class App {
public:
    App(Ports ports, AppPaths paths);
    const AppPaths& paths() const { return m_paths; }

private:
    Ports m_ports;
    AppPaths m_paths;
};

} // namespace corvane
