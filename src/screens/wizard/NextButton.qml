import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// The step's last control: "다음" (or the submit), also pressed with Return.
Button {
    id: next
    property Flickable flick: null
    text: "다음"
    width: parent ? parent.width : 0
    height: 50
    Accessible.name: text
    Keys.onReturnPressed: if (enabled) clicked()
    Keys.onEnterPressed: if (enabled) clicked()
    onActiveFocusChanged: if (activeFocus && flick) WizardScroll.reveal(flick, next)
    contentItem: Text {
        textFormat: Text.PlainText
        text: next.text
        color: Theme.onAccent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        font { pixelSize: 17; bold: true }
    }
    background: Rectangle {
        radius: 8
        opacity: next.enabled ? 1 : 0.45
        color: next.down ? Theme.orangePressed : Theme.orange
        border.width: next.activeFocus ? 2 : 0
        border.color: Theme.navy
    }
}
