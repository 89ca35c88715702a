pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// Step 3: the options in four two-column grids of toggle buttons.
Item {
    id: page
    property var controller

    function toggle(grid, row) {
        switch (grid) {
        case 0: controller.btnCellEvent1(row); break
        case 1: controller.btnCellEvent2(row); break
        case 2: controller.btnCellEvent3(row); break
        default: controller.btnCellEvent4(row)
        }
    }

    NavigationBar {
        id: bar
        title: "옵션 선택"
        onBackClicked: page.controller.dismiss()
    }

    Flickable {
        id: theScrollView
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        contentHeight: body.height + 40
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: body
            x: Theme.margin
            y: Theme.margin
            width: theScrollView.width - 2 * Theme.margin
            spacing: 12

            StepHeader { step: 3; caption: "옵션 선택" }

            Row {
                visible: page.controller.notice !== ""
                width: parent.width
                spacing: 8
                Text {
                    textFormat: Text.PlainText
                    width: parent.width - retry.width - 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: page.controller.notice
                    wrapMode: Text.WordWrap
                    color: Theme.destructive
                    font.pixelSize: Theme.smallFontSize
                }
                Button {
                    id: retry
                    text: "다시 불러오기"
                    Accessible.name: text
                    Keys.onReturnPressed: clicked()
                    onClicked: page.controller.reload()
                }
            }

            Repeater {
                model: [page.controller.collection1, page.controller.collection2, page.controller.collection3,
                        page.controller.collection4]
                delegate: Column {
                    id: group
                    required property var modelData
                    required property int index
                    width: body.width
                    spacing: 6
                    visible: modelData.count > 0

                    Text {
                        width: group.width
                        text: group.modelData.heading
                        textFormat: Text.PlainText
                        color: Theme.navy
                        font { pixelSize: Theme.fontSize; bold: true }
                    }
                    // Two options to a line, each half the grid less one point, 2 points apart.
                    Flow {
                        width: group.width
                        spacing: 2
                        Repeater {
                            model: group.modelData
                            delegate: Button {
                                id: option
                                required property int index
                                required property string btn_Option
                                required property bool selected
                                width: group.width / 2 - 1
                                height: 60
                                text: btn_Option
                                Accessible.name: btn_Option
                                Accessible.checkable: true
                                Accessible.checked: selected
                                Keys.onReturnPressed: clicked()
                                Keys.onEnterPressed: clicked()
                                onActiveFocusChanged: if (activeFocus) WizardScroll.reveal(theScrollView, option)
                                onClicked: page.toggle(group.index, index)
                                contentItem: Text {
                                    text: option.text
                                    textFormat: Text.PlainText
                                    wrapMode: Text.WordWrap
                                    horizontalAlignment: Text.AlignHCenter
                                    verticalAlignment: Text.AlignVCenter
                                    color: option.selected ? Theme.orange : Theme.onAccent
                                    font { pixelSize: 13; bold: option.selected }
                                }
                                // Selected: white with a one-point orange rim; otherwise grey.
                                background: Rectangle {
                                    color: option.selected ? Theme.surface : Theme.grey
                                    border.width: option.activeFocus ? 2 : 1
                                    border.color: option.selected || option.activeFocus ? Theme.orange : Theme.clear
                                }
                            }
                        }
                    }
                }
            }

            Item { width: 1; height: 8 }
            NextButton {
                flick: theScrollView
                enabled: page.controller.nextEnabled
                onClicked: page.controller.nextButtonEvent()
            }
        }
    }
}
