pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic

// Segments side by side: the selected title in orange, the others grey, and a
// 2-point orange bar under the selected one. The bar is placed from the control's
// own current width, so it stays under its segment at any width; a change of
// selection moves it in 0.2 seconds. Pressing a segment reports `activated`; the
// owner decides what is selected.
Item {
    id: root
    property var titles: []
    property int currentIndex: 0
    readonly property real segmentWidth: titles.length > 0 ? width / titles.length : 0
    signal activated(int index)

    implicitHeight: 44

    Row {
        anchors.fill: parent
        Repeater {
            model: root.titles
            AbstractButton {
                id: segment
                required property int index
                required property string modelData
                readonly property bool selected: index === root.currentIndex
                width: root.segmentWidth
                height: root.height
                text: modelData
                Accessible.name: modelData
                Accessible.role: Accessible.PageTab
                contentItem: Text {
                    textFormat: Text.PlainText
                    text: segment.text
                    color: segment.selected ? Theme.orange : Theme.segmentText
                    font.pixelSize: Theme.titleFontSize
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }
                background: Rectangle { color: segment.down ? Theme.background : Theme.surface }
                onClicked: root.activated(index)
            }
        }
    }

    Rectangle {
        id: underBar
        objectName: "segUnderBar"
        x: root.currentIndex * root.segmentWidth
        y: root.height - height
        width: root.segmentWidth
        height: 2
        color: Theme.orange
        Behavior on x { NumberAnimation { duration: 200 } }
    }
}
