import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// A choice of the wizard: its caption, then the chosen name (dark) or the
// placeholder (light); it opens its list when pressed, also with Return.
Button {
    id: choice
    property string caption
    property string title
    property bool chosen: false
    // The scrolling body that brings the button into view when it takes the keyboard.
    property Flickable flick: null

    height: 52
    Accessible.name: caption + " " + title
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    onActiveFocusChanged: if (activeFocus && flick) WizardScroll.reveal(flick, choice)

    contentItem: RowLayout {
        spacing: 0
        Column {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop
            spacing: 2
            Text {
                textFormat: Text.PlainText
                text: choice.caption
                color: Theme.mutedText
                font.pixelSize: 11
            }
            Text {
                width: parent.width
                text: choice.title
                textFormat: Text.PlainText
                elide: Text.ElideRight
                color: choice.chosen ? Theme.text : Theme.placeholder
                font.pixelSize: Theme.fontSize
            }
        }
        Text {
            text: "▾"
            color: Theme.mutedText
            font.pixelSize: 13
        }
    }
    background: Rectangle {
        radius: 6
        color: choice.down ? Theme.background : Theme.surface
        border.width: choice.activeFocus ? 2 : 1
        border.color: choice.activeFocus ? Theme.orange : Theme.controlBorder
    }
}
