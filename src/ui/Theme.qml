pragma Singleton
import QtQuick

// The app's colours and sizes. Pages and pieces take every colour from here.
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
    readonly property color grey: "grey"
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
    readonly property color onAccent: "white"
    readonly property color onAccentPressed: "#33ffffff"
    readonly property color onNavySecondary: "#c9cde0"
    readonly property color pageDot: "#ccffffff"
    // Behind drawers and dialogs.
    readonly property color shade: "#80000000"
    readonly property color clear: "transparent"
    // The QR camera preview and the frame around a read code.
    readonly property color camera: "black"
    readonly property color codeFrame: Qt.rgba(0, 1, 0, 1)

    readonly property int fontSize: 15
    readonly property int smallFontSize: 13
    readonly property int titleFontSize: 18
    readonly property int margin: 16
    readonly property int barHeight: 56
    readonly property int carRowHeight: 100
    readonly property string images: "qrc:/tvs/ui/images/"
}
