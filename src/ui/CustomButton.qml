import QtQuick
import QtQuick.Controls.Basic

// A button with rounded corners and a border. Its background is a rounded
// rectangle; a picture (imageSource) is painted through a Canvas clip path of the
// same rounded shape, which cuts it to the corners on every renderer (shader
// masks are not available with the software renderer). The text is inset so it
// stays inside the shape. Accessible.name is the text; icon-only buttons set it.
Button {
    id: root
    property real cornerRadius: 0
    property real borderWidth: 0
    property color borderColor: Theme.clear
    property color backgroundColor: Theme.orange
    property color textColor: Theme.onAccent
    property url imageSource: ""

    readonly property real shapeInset: Math.ceil(root.cornerRadius * (1 - Math.SQRT1_2) + root.borderWidth)

    leftPadding: Math.max(shapeInset, 8)
    rightPadding: Math.max(shapeInset, 8)
    topPadding: Math.max(shapeInset, 6)
    bottomPadding: Math.max(shapeInset, 6)
    font.pixelSize: Theme.fontSize
    Accessible.name: root.text

    contentItem: Text {
        textFormat: Text.PlainText
        text: root.text
        font: root.font
        color: root.enabled ? root.textColor : Qt.darker(root.textColor, 1.4)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 64
        implicitHeight: 40
        radius: root.cornerRadius
        color: root.down ? Qt.darker(root.backgroundColor, 1.15) : root.backgroundColor
        opacity: root.enabled ? 1 : 0.5
        border.width: root.borderWidth
        border.color: root.borderWidth > 0 ? root.borderColor : Theme.clear

        Canvas {
            readonly property url source: root.imageSource
            readonly property real corner: root.cornerRadius

            anchors.fill: parent
            anchors.margins: root.borderWidth
            visible: String(source) !== ""
            onImageLoaded: requestPaint()
            onWidthChanged: requestPaint()
            onHeightChanged: requestPaint()
            onVisibleChanged: if (visible) loadImage(source)
            Component.onCompleted: if (visible) loadImage(source)
            onSourceChanged: {
                if (visible)
                    loadImage(source)
                requestPaint()
            }
            onCornerChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.reset()
                if (!isImageLoaded(root.imageSource))
                    return
                const r = Math.max(0, Math.min(root.cornerRadius - root.borderWidth, width / 2, height / 2))
                ctx.beginPath()
                ctx.roundedRect(0, 0, width, height, r, r)
                ctx.clip()
                ctx.drawImage(root.imageSource, 0, 0, width, height)
            }
        }
    }
}
