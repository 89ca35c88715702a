#pragma once

namespace tvs {

class ProcedureCaller;
class JsonServiceCaller;
class Settings;
class Clock;
class NetworkMonitor;
class QrSource;
class UrlOpener;
class Notices;
class Navigator;
class Config;
class RequestAlerts;

// The services a screen may use. The Navigator hands the one context to every
// screen it creates; tests build one with their fakes. Not owned here.
struct ScreenContext
{
    ProcedureCaller *procedures = nullptr;
    JsonServiceCaller *jsonServices = nullptr;
    Settings *settings = nullptr;
    Clock *clock = nullptr;
    NetworkMonitor *network = nullptr;
    QrSource *qr = nullptr;
    UrlOpener *urls = nullptr;
    Notices *notices = nullptr;
    const Config *config = nullptr;
    Navigator *navigator = nullptr;
    // Tells the dealer of failed requests, one alert at a time app-wide.
    RequestAlerts *alerts = nullptr;
};

} // namespace tvs
