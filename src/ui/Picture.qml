import QtQuick

// A picture from the image host; while it has no address, or when it cannot be
// loaded, the app's own fallback picture ("empty_car" for cars, "the_thumbnail"
// for dealers) shows instead.
Image {
    id: picture
    property url address
    property string fallback: "empty_car"
    property bool failed: false

    onAddressChanged: failed = false
    onStatusChanged: if (status === Image.Error) failed = true
    source: String(address) !== "" && !failed ? address : Theme.images + fallback + ".svg"
    fillMode: Image.PreserveAspectCrop
    asynchronous: true
    clip: true
}
