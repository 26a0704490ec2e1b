#!/bin/sh
# Gives the Wine prefix five small drives, S: to W:, each a tmpfs of 16 KiB:
# S: holds link.txt, a link to the missing gone.txt, and T: to W: are for the
# rows where a drive fills up mid-line. Mounting needs root: as another
# user it says so and the rows skip; as root any step that fails fails.
#   small-drives.sh mount|unmount <folder for the mounts> <default prefix> <source folder>
set -u
action=$1 folder=$2 prefix=${WINEPREFIX:-$3} source=$4
if [ "$(id -u)" != 0 ]; then
    echo "small drives: not root, so no tmpfs is mounted and the full-drive rows skip"
    exit 77
fi
case $action in
mount)
    "$source/scripts/windows/wine-prefix.sh" "$prefix" || exit 1
    for drive in s t u v w; do
        mkdir -p "$folder/$drive" || exit 1
        if ! mountpoint -q "$folder/$drive"; then
            mount -t tmpfs -o size=16k,mode=1777 zephlan-small "$folder/$drive" \
                || { echo "small drives: could not mount a tmpfs on $folder/$drive" >&2; exit 1; }
        fi
        ln -sfn "$folder/$drive" "$prefix/dosdevices/$drive:" || exit 1
    done
    rm -f "$folder/s/gone.txt" && ln -sfn gone.txt "$folder/s/link.txt" || exit 1
    echo "small drives: S: to W: mounted under $folder";;
unmount)
    for drive in s t u v w; do
        rm -f "$prefix/dosdevices/$drive:"
        ! mountpoint -q "$folder/$drive" || umount -l "$folder/$drive" || exit 1
    done;;
*) exit 2;;
esac
