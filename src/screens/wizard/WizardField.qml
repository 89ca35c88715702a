import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// A text field of the wizard with its caption. Return hands the keyboard to
// `nextItem`, or emits `returned` when there is none.
Column {
    id: field
    property string caption
    property alias text: input.text
    property alias placeholder: input.placeholderText
    property alias inputMethodHints: input.inputMethodHints
    property alias input: input
    property string suffix
    property Item nextItem: null
    property Flickable flick: null
    signal edited(string text)
    signal returned()

    width: parent ? parent.width : 0
    spacing: 4

    Text {
        textFormat: Text.PlainText
        text: field.caption
        color: Theme.mutedText
        font.pixelSize: 12
    }
    Row {
        width: field.width
        spacing: 6
        TextField {
            id: input
            width: field.width - (field.suffix !== "" ? 46 : 0)
            height: 44
            font.pixelSize: Theme.fontSize
            Accessible.name: field.caption
            onTextEdited: field.edited(text)
            onAccepted: field.nextItem ? field.nextItem.forceActiveFocus() : field.returned()
            onActiveFocusChanged: if (activeFocus && field.flick) WizardScroll.reveal(field.flick, field)
            background: Rectangle {
                radius: 6
                color: Theme.surface
                border.width: input.activeFocus ? 2 : 1
                border.color: input.activeFocus ? Theme.orange : Theme.controlBorder
            }
        }
        Text {
            textFormat: Text.PlainText
            id: suffixText
            width: 40
            visible: field.suffix !== ""
            anchors.verticalCenter: parent.verticalCenter
            text: field.suffix
            color: Theme.secondaryText
            font.pixelSize: Theme.fontSize
        }
    }
}
