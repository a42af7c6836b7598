#pragma once

#include "loader/webview/safariwindowcontroller.h"
#include "tests/loader/webview/webpageserver.h"

#include <QStringList>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

// The pages of the web view's tests on a loopback server, and a window that shows one of them as
// the program's Google Contacts page.
class WebViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the window on the page at the path (an address of its own when it has a scheme) and
    // records every title it shows.
    void openWindowOn(const QString &pathOrAddress);
    void closeWindow();
    // Turns the event loop until the window's title is the text (true) or the time is up.
    bool waitForTitle(const QString &title, int timeoutMs = 20000);
    static bool runUntil(const std::function<bool()> &done, int timeoutMs = 20000);
    QString title() const;

    WebPageServer pages;
    std::unique_ptr<SafariWindowController> controller;
    QStringList titles;
};
