pragma ComponentBehavior: Bound
import QtQuick
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// Step 4: the body colours as round swatches, two-tone ones split across the middle.
Item {
    id: page
    property var controller

    NavigationBar {
        id: bar
        title: "색상 선택"
        onBackClicked: page.controller.dismiss()
    }

    Connections {
        target: page.controller
        function onScrollToBottomRequested() { WizardScroll.scrollTo(theScrollView, scrollAnimation, 1) }
    }

    Flickable {
        id: theScrollView
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        contentHeight: body.height + 40
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        NumberAnimation { id: scrollAnimation; target: theScrollView; property: "contentY"; duration: 300
                          easing.type: Easing.OutCubic }

        Column {
            id: body
            x: Theme.margin
            y: Theme.margin
            width: theScrollView.width - 2 * Theme.margin
            spacing: 12

            StepHeader { step: 4; caption: "색상 선택" }

            Flow {
                id: colorCollView
                width: Math.floor(parent.width / 80) * 80
                anchors.horizontalCenter: parent.horizontalCenter
                Repeater {
                    model: page.controller.colorCollView
                    delegate: Item {
                        id: colorCell
                        required property int index
                        required property string colorName
                        required property color borderColor
                        required property color color1
                        required property color color2
                        required property bool checked
                        width: 80
                        height: 100
                        activeFocusOnTab: true
                        Accessible.role: Accessible.RadioButton
                        Accessible.name: colorName
                        Accessible.checkable: true
                        Accessible.checked: checked
                        Accessible.onPressAction: page.controller.selectColor(index)
                        Keys.onReturnPressed: page.controller.selectColor(index)
                        Keys.onEnterPressed: page.controller.selectColor(index)
                        Keys.onSpacePressed: page.controller.selectColor(index)
                        onActiveFocusChanged: if (activeFocus) WizardScroll.reveal(theScrollView, colorCell)

                        // The rim, then the upper half in color1 and the lower half in color2.
                        Canvas {
                            id: swatch
                            width: 56
                            height: 56
                            anchors { horizontalCenter: parent.horizontalCenter; top: parent.top; topMargin: 8 }
                            onPaint: {
                                const ctx = getContext("2d")
                                ctx.reset()
                                const r = width / 2
                                ctx.fillStyle = colorCell.borderColor
                                ctx.beginPath(); ctx.arc(r, r, r, 0, 2 * Math.PI); ctx.fill()
                                ctx.fillStyle = colorCell.color1
                                ctx.beginPath(); ctx.arc(r, r, r - 2, Math.PI, 2 * Math.PI); ctx.closePath(); ctx.fill()
                                ctx.fillStyle = colorCell.color2
                                ctx.beginPath(); ctx.arc(r, r, r - 2, 0, Math.PI); ctx.closePath(); ctx.fill()
                            }
                        }
                        Image {
                            anchors.centerIn: swatch
                            width: 28
                            height: 28
                            visible: colorCell.checked
                            source: Theme.images + "colorcheck.png"
                            fillMode: Image.PreserveAspectFit
                        }
                        Rectangle {
                            anchors.fill: swatch
                            anchors.margins: -4
                            radius: width / 2
                            color: Theme.clear
                            border.width: 2
                            border.color: colorCell.activeFocus ? Theme.orange : Theme.clear
                        }
                        Text {
                            textFormat: Text.PlainText
                            anchors { horizontalCenter: parent.horizontalCenter; top: swatch.bottom; topMargin: 8 }
                            text: colorCell.colorName
                            color: colorCell.checked ? Theme.orange : Theme.text
                            font { pixelSize: Theme.smallFontSize; bold: colorCell.checked }
                        }
                        MouseArea {
                            anchors.fill: parent
                            onClicked: page.controller.selectColor(colorCell.index)
                        }
                    }
                }
            }

            NextButton {
                flick: theScrollView
                onClicked: page.controller.import_p4_btns()
            }
        }
    }
}
