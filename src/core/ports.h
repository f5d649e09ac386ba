#pragma once
// Everything the core needs from the outside world, passed in at construction.

namespace corvane {

class EventLoop;
class NetworkFactory;
class Prompts;
class Clock;
class Shell;
class Downloader;

struct Ports {
    EventLoop& loop;
    NetworkFactory& net;
    Prompts& prompts;
    Clock& clock;
    Shell& shell;
    Downloader& downloader;
};

} // namespace corvane
