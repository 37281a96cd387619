#pragma once

// Opens a web address with the desktop's default browser.

#include <QUrl>

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when the desktop has no program for the address.
    virtual bool open(const QUrl& url) = 0;
};

class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};
