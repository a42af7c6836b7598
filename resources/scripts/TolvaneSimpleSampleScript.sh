#!/bin/sh
# A Tolvane user script. Tolvane runs every script of this folder from its Scripts menu with the
# single argument "runTolvaneScript" and writes the selected contacts to its standard input as a
# JSON array of records. What the script prints is its answer: "Success" shows nothing, any other
# text is shown to you.
#
# This sample reads the records and answers "Success". Copy it under another name to start a
# script of your own; Tolvane never replaces this copy once it is installed.
[ "$1" = "runTolvaneScript" ] || exit 1
cat > /dev/null
echo "Success"
