.pragma library

// Scrolls `flick` just enough that `item` (inside it) is wholly visible.
function reveal(flick, item) {
    const top = item.mapToItem(flick.contentItem, 0, 0).y
    const margin = 12
    if (top - margin < flick.contentY)
        flick.contentY = Math.max(0, top - margin)
    else if (top + item.height + margin > flick.contentY + flick.height)
        flick.contentY = Math.min(Math.max(0, flick.contentHeight - flick.height), top + item.height + margin - flick.height)
}

// Scrolls `flick` to `fraction` of how far it can scroll, animated by `animation`.
function scrollTo(flick, animation, fraction) {
    animation.to = Math.max(0, flick.contentHeight - flick.height) * fraction
    animation.restart()
}
