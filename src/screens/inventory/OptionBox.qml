pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

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
        textFormat: Text.PlainText
        color: Theme.navy
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
            id: option
            required property int index
            required property string btn_Option
            required property bool selected
            width: grid.cellWidth
            height: grid.cellHeight
            // Two items of half the width less one point each, 2 points apart:
            // the second of a line sits against the right edge.
            Button {
                id: btnOption
                x: option.index % 2 === 0 ? 0 : option.width - width
                y: 0
                width: grid.width / 2 - 1
                height: 60
                text: option.btn_Option
                checkable: false
                Accessible.name: option.btn_Option.replace("\n", " ") + (option.selected ? " (있음)" : "")
                contentItem: Text {
                    text: btnOption.text
                    textFormat: Text.PlainText
                    wrapMode: Text.WordWrap
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font { pixelSize: 13; bold: option.selected }
                    color: option.selected ? Theme.orange : Theme.secondaryText
                }
                background: Rectangle {
                    color: option.selected ? Theme.selectedFill : Theme.background
                    border.color: option.selected ? Theme.orange : Theme.separator
                    radius: 4
                }
            }
        }
    }
}
