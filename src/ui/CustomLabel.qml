import QtQuick
import QtQuick.Controls.Basic

// A label with rounded corners and a border. The background is a rounded
// rectangle, so it is cut to the rounded shape on every renderer (the software
// one included, where masks and shader effects are not available); the text is
// inset by at least the part of a corner that the rounding removes, so it never
// reaches outside the shape. A border shows only with a width above 0.
Label {
    id: root
    property real cornerRadius: 0
    property real borderWidth: 0
    property color borderColor: Theme.clear
    property color backgroundColor: Theme.clear

    readonly property real shapeInset: Math.ceil(root.cornerRadius * (1 - Math.SQRT1_2) + root.borderWidth)

    leftPadding: Math.max(shapeInset, 4)
    rightPadding: Math.max(shapeInset, 4)
    topPadding: shapeInset
    bottomPadding: shapeInset
    clip: true
    color: Theme.text
    textFormat: Text.PlainText
    font.pixelSize: Theme.fontSize
    background: Rectangle {
        radius: root.cornerRadius
        color: root.backgroundColor
        border.width: root.borderWidth
        border.color: root.borderWidth > 0 ? root.borderColor : Theme.clear
    }
}
