pragma Singleton
import QtQuick

// The app's colours and sizes; pages use these instead of literals.
QtObject {
    readonly property color orange: Qt.rgba(0.9191, 0.3588, 0.1088, 1)
    readonly property color navy: Qt.rgba(0.1435, 0.1780, 0.2859, 1)
    readonly property color background: "#f4f5f8"
    readonly property color surface: "#ffffff"
    readonly property color text: "#1d2233"
    readonly property color secondaryText: "#6b7286"
    readonly property color separator: "#dde0e7"
    readonly property color destructive: "#e0302b"
    readonly property int fontSize: 15
    readonly property int smallFontSize: 13
    readonly property int titleFontSize: 18
    readonly property int margin: 16
    readonly property string images: "qrc:/tvs/ui/images/"
}
