pragma ComponentBehavior: Bound
import QtQuick
import "qrc:/tvs/ui"

// Where the dealer is in the wizard: "n / 5", the step's name and five marks.
Column {
    id: header
    property int step: 1
    property string caption
    width: parent ? parent.width : 0
    spacing: 8

    Row {
        spacing: 8
        Text {
            textFormat: Text.PlainText
            text: header.step + " / 5"
            color: Theme.orange
            font { pixelSize: Theme.fontSize; bold: true }
        }
        Text {
            textFormat: Text.PlainText
            text: header.caption
            color: Theme.navy
            font { pixelSize: Theme.fontSize; bold: true }
        }
    }
    Row {
        spacing: 4
        Repeater {
            model: 5
            Rectangle {
                required property int index
                width: (header.width - 16) / 5
                height: 4
                radius: 2
                color: index < header.step ? Theme.orange : Theme.separator
            }
        }
    }
}
