// Runs in the window's own script world, which the page's scripts cannot see, from the moment each
// document is created. It tells the window which of the page's resources finished (every entry of
// the browser's resource timing) and which failed (an element's error event, seen in the capture
// phase because it does not bubble). Reports made before the channel is up wait for it.
(function () {
    "use strict";
    var reporter = null;
    var waiting = [];

    function report(kind, address) {
        // Only text is an address: an SVG element holds its address as an object.
        if (typeof address !== "string" || !address)
            return;
        if (reporter)
            reporter[kind](address);
        else
            waiting.push([kind, address]);
    }

    function connect() {
        if (typeof qt === "undefined" || !qt.webChannelTransport)
            return false;
        new QWebChannel(qt.webChannelTransport, function (channel) {
            reporter = channel.objects.resourceReporter;
            waiting.forEach(function (item) { reporter[item[0]](item[1]); });
            waiting = [];
        });
        return true;
    }

    if (!connect())
        document.addEventListener("DOMContentLoaded", connect);

    new PerformanceObserver(function (list) {
        list.getEntries().forEach(function (entry) { report("finished", entry.name); });
    }).observe({ type: "resource", buffered: true });

    window.addEventListener("error", function (event) {
        var element = event.target;
        if (!(element instanceof Element))
            return;
        report("failed", element.currentSrc || element.src || element.href);
    }, true);
})();
