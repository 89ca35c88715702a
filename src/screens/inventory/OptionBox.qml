import QtQuick
import QtQuick.Controls.Basic

// One option box: its heading, then the catalogue's options two to a line,
// the car's own options in the selected look.
Column {
    id: box
    property var model
    property string heading
    property real boxHeight: 40
    spacing: 5

    Text {
        width: box.width
        text: box.heading
        color: "#252d49"
        font { pixelSize: 15; bold: true }
    }
    GridView {
        id: grid
        width: box.width
        height: box.boxHeight
        interactive: false
        model: box.model
        cellWidth: width / 2
        cellHeight: 62
        delegate: Item {
            required property int index
            required property string btn_Option
            required property bool selected
            width: grid.cellWidth
            height: grid.cellHeight
            // Two items of half the width less one point each, 2 points apart:
            // the second of a line sits against the right edge.
            Button {
                id: btnOption
                x: index % 2 === 0 ? 0 : parent.width - width
                y: 0
                width: grid.width / 2 - 1
                height: 60
                text: btn_Option
                checkable: false
                Accessible.name: btn_Option.replace("\n", " ") + (selected ? " (있음)" : "")
                contentItem: Text {
                    text: btnOption.text
                    wrapMode: Text.WordWrap
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font { pixelSize: 13; bold: selected }
                    color: selected ? Qt.rgba(0.9191, 0.3588, 0.1088, 1) : "#6b7080"
                }
                background: Rectangle {
                    color: selected ? "#fff1e3" : "#f4f5f8"
                    border.color: selected ? Qt.rgba(0.9191, 0.3588, 0.1088, 1) : "#e3e5eb"
                    radius: 4
                }
            }
        }
    }
}
