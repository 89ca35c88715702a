pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic

// The window: one StackView that follows the Navigator (`navigator`, set when the
// window is created). Each page is created with its controller as `controller`; pushed
// screens slide in from the right, modal ones rise from the bottom, popups fade in
// over the current page, which stays visible behind them. A notice (`notices`, set
// by the shell with the window) shows at the top over every screen. The top screen's loading
// overlay and first pending dialog cover everything.
ApplicationWindow {
    id: window
    width: 390
    height: 844
    minimumWidth: 320
    minimumHeight: 480
    visible: true
    title: "TVS Dealer"
    color: Theme.background

    required property var navigator
    property var notices: null
    // Pages created here (by instance, so required properties are set at creation)
    // and whether each was shown modally, in stack order.
    property var modalFlags: []
    property var retired: []
    // Popup frames over the stack, lowest first.
    property var popupFrames: []
    readonly property var topController: popupFrames.length > 0
                                         ? popupFrames[popupFrames.length - 1].controller
                                         : controllerOf(stack.currentItem)

    // The controller of a page on the stack (null for none).
    function controllerOf(item) {
        return item ? item.controller : null
    }

    function createPage(screen, page, parentItem) {
        const parent = parentItem ? parentItem : stack
        if (page.toString() === "") {
            console.warn("screen", screen.identifier, "has no page")
            return blankPage.createObject(parent, { controller: screen })
        }
        const component = Qt.createComponent(page)
        if (component.status !== Component.Ready) {
            console.warn("cannot load the page of", screen.identifier, ":", component.errorString())
            return blankPage.createObject(parent, { controller: screen })
        }
        const item = component.createObject(parent, { controller: screen })
        if (item === null) {
            console.warn("cannot create the page of", screen.identifier, ":", component.errorString())
            return blankPage.createObject(parent, { controller: screen })
        }
        return item
    }

    // Removes the popup of `screen`; false when `screen` is no popup.
    function closePopup(screen) {
        const index = popupFrames.findIndex(frame => frame.controller === screen)
        if (index < 0)
            return false
        const frame = popupFrames[index]
        popupFrames = popupFrames.filter((_, i) => i !== index)
        frame.visible = false
        frame.destroy()
        return true
    }

    function retire(items) {
        for (const item of items)
            retired.push(item)
    }

    // Called when a stack operation has ended (at once when it ran without animation).
    function settle() {
        if (stack.busy)
            return
        const gone = retired
        retired = []
        for (const item of gone)
            item.destroy()
        const top = controllerOf(stack.currentItem)
        if (top)
            window.navigator.transitionFinished(top)
    }

    Component {
        id: popupFrame
        Item {
            id: frame
            property var controller
            anchors.fill: parent
            NumberAnimation on opacity {
                from: 0
                to: 1
                duration: 200
                onFinished: window.navigator.transitionFinished(frame.controller)
            }
        }
    }

    Component {
        id: blankPage
        Rectangle {
            property var controller
            color: Theme.background
        }
    }

    Connections {
        target: window.navigator
        function onScreenShown(screen, page, modal) {
            const item = window.createPage(screen, page)
            stack.nextModal = modal
            window.modalFlags.push(modal)
            stack.push(item)
            window.settle()
        }
        function onPopupShown(screen, page) {
            const frame = popupFrame.createObject(popupLayer, { controller: screen })
            const item = window.createPage(screen, page, frame)
            item.anchors.fill = frame
            window.popupFrames = window.popupFrames.concat([frame])
        }
        function onScreenRemoved(screen) {
            if (window.closePopup(screen))
                return
            if (window.controllerOf(stack.currentItem) !== screen)
                return
            stack.nextModal = window.modalFlags.pop() === true
            const top = stack.currentItem
            stack.pop()
            window.retire([top])
            window.settle()
        }
        function onStackReplaced(screen, page) {
            for (const frame of window.popupFrames)
                window.closePopup(frame.controller)
            const old = []
            for (let i = 0; i < stack.depth; ++i)
                old.push(stack.get(i, StackView.DontLoad))
            const item = window.createPage(screen, page)
            stack.nextModal = false
            window.modalFlags = [false]
            stack.replace(null, item, {}, stack.depth > 0 ? StackView.ReplaceTransition : StackView.Immediate)
            window.retire(old)
            window.settle()
        }
    }

    StackView {
        id: stack
        anchors.fill: parent
        property bool nextModal: false
        onBusyChanged: window.settle()

        pushEnter: Transition {
            PropertyAnimation {
                property: stack.nextModal ? "y" : "x"
                from: stack.nextModal ? stack.height : stack.width
                to: 0
                duration: 250
                easing.type: Easing.OutCubic
            }
        }
        pushExit: Transition {
            PropertyAnimation { property: "opacity"; from: 1; to: stack.nextModal ? 1 : 0.6; duration: 250 }
        }
        popEnter: Transition {
            PropertyAnimation { property: "opacity"; from: stack.nextModal ? 1 : 0.6; to: 1; duration: 250 }
        }
        popExit: Transition {
            PropertyAnimation {
                property: stack.nextModal ? "y" : "x"
                from: 0
                to: stack.nextModal ? stack.height : stack.width
                duration: 250
                easing.type: Easing.InCubic
            }
        }
        replaceEnter: Transition {
            PropertyAnimation { property: "opacity"; from: 0; to: 1; duration: 200 }
        }
        replaceExit: Transition {
            PropertyAnimation { property: "opacity"; from: 1; to: 0; duration: 200 }
        }
    }

    Item {
        id: popupLayer
        anchors.fill: parent
    }

    NoticeBanner {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        notices: window.notices
    }

    LoadingOverlay {
        anchors.fill: parent
        count: window.topController ? window.topController.loadingCount : 0
    }

    DialogHost {
        anchors.fill: parent
        controller: window.topController
    }
}
