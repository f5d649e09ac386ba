#include "app/app.h"

namespace corvane {

App::App(Ports ports, AppPaths paths) : m_ports(ports), m_paths(std::move(paths)) {}

} // namespace corvane
