pragma Singleton
import QtQuick

// The app's colours and sizes: pages and pieces take every colour from here, and the
// C++ side takes them from ThemeColors.h, which the build makes from this file (each
// colour written as "#rrggbb", "#aarrggbb" or Qt.rgba(r, g, b, a) becomes
// tvs::theme::<name>(); a colour made from another one stays QML's own).
QtObject {
    readonly property color orange: Qt.rgba(0.9191, 0.3588, 0.1088, 1)
    readonly property color orangePressed: Qt.darker(orange, 1.15)
    readonly property color navy: Qt.rgba(0.1435, 0.1780, 0.2859, 1)
    readonly property color navyVeil: Qt.rgba(0.1435, 0.1780, 0.2859, 0.5)
    readonly property color background: "#f4f5f8"
    readonly property color surface: "#ffffff"
    readonly property color text: "#1d2233"
    readonly property color secondaryText: "#6b7286"
    readonly property color mutedText: "#8a8fa0"
    readonly property color disabledText: "#b9bec8"
    readonly property color placeholder: "#8e8e93"
    readonly property color grey: "#808080"
    // Titles of the segments that are not selected.
    readonly property color segmentText: Qt.rgba(0.667, 0.667, 0.667, 1)
    readonly property color separator: "#dde0e7"
    readonly property color controlBorder: "#d1d1d6"
    readonly property color selectedFill: "#fff1e3"
    readonly property color destructive: "#e0302b"
    // A work-order car's complete button: ready, and disabled.
    readonly property color completeTitle: Qt.rgba(1.0, 0.386, 0.011, 1)
    readonly property color disabledFill: Qt.rgba(0.804, 0.804, 0.804, 1)
    readonly property color disabledTitle: Qt.rgba(0.667, 0.667, 0.667, 1)
    // Text and icons on navy and orange, and their pressed look.
    readonly property color onAccent: "#ffffff"
    readonly property color onAccentPressed: "#33ffffff"
    readonly property color onNavySecondary: "#c9cde0"
    readonly property color pageDot: "#ccffffff"
    // Behind drawers and dialogs.
    readonly property color shade: "#80000000"
    readonly property color clear: "#00000000"
    // The QR camera preview and the frame around a read code.
    readonly property color camera: "#000000"
    readonly property color codeFrame: Qt.rgba(0, 1, 0, 1)
    // The QR page's message: scanning, and a code that does not open (while a read
    // code is sent, the message takes the frame's colour).
    readonly property color qrScanning: Qt.rgba(1, 1, 0, 1)
    readonly property color qrRejected: Qt.rgba(1, 0, 0, 1)

    // The car status labels (an unknown status shows on navy).
    readonly property color statusOrange: Qt.rgba(1.0, 0.4906, 0.0098, 1)
    readonly property color statusBlue: "#3dacf7"
    readonly property color statusViolet: "#8e5af7"
    readonly property color statusGreen: Qt.rgba(0.0, 0.7106, 0.4678, 1)
    readonly property color statusGrey: "#999999"
    readonly property color statusLightGrey: "#cdcdcd"
    readonly property color statusCyan: Qt.rgba(0.1590, 0.9693, 0.9523, 1)
    readonly property color statusCoral: Qt.rgba(1.0, 0.3924, 0.2415, 1)
    // A car row's tint: the check is old, its end date has passed, or both.
    readonly property color rowTintOldCheck: Qt.rgba(0.4882, 0.7242, 0.9984, 0.3)
    readonly property color rowTintExpiredEnd: Qt.rgba(0.6098, 0.8240, 0.5666, 0.3)
    readonly property color rowTintBoth: Qt.rgba(0.9153, 0.3079, 0.3100, 0.3)
    // An auction's state label: in progress (on the in-progress page, a shade of its
    // own), won by this dealer; a closed one takes disabledFill.
    readonly property color auctionInProgress: Qt.rgba(1.0, 0.253, 1.0, 1)
    readonly property color auctionInProgressPage: Qt.rgba(1.0, 0.254, 1.0, 1)
    readonly property color auctionWon: Qt.rgba(0.239, 0.675, 0.969, 1)

    readonly property int fontSize: 15
    readonly property int smallFontSize: 13
    readonly property int titleFontSize: 18
    readonly property int margin: 16
    readonly property int barHeight: 56
    readonly property int carRowHeight: 100
    readonly property string images: "qrc:/tvs/ui/images/"
}
