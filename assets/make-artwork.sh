#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program icon and the two shipped pictures from ImageMagick primitives,
# so the artwork can be made again from this script alone.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
media="$root/default/media"
mkdir -p "$media"

# Icon: a rounded teal tile with a white calendar sheet and a dumbbell across it. The same
# shapes are written by hand in packaging/velmora.svg; scripts/test-package compares them.
convert -size 256x256 xc:none \
  -fill '#1f7a8c' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#ffffff' -draw 'roundrectangle 48,60 207,212 14,14' \
  -fill '#e4572e' -draw 'roundrectangle 48,60 207,100 14,14' \
  -fill '#e4572e' -draw 'rectangle 48,86 207,100' \
  -fill '#ffffff' -draw 'roundrectangle 84,44 96,76 5,5' \
  -fill '#ffffff' -draw 'roundrectangle 160,44 172,76 5,5' \
  -fill '#022b3a' -draw 'rectangle 84,150 172,160' \
  -fill '#022b3a' -draw 'roundrectangle 66,124 84,186 5,5' \
  -fill '#022b3a' -draw 'roundrectangle 172,124 190,186 5,5' \
  -fill '#022b3a' -draw 'roundrectangle 54,136 66,174 4,4' \
  -fill '#022b3a' -draw 'roundrectangle 190,136 202,174 4,4' \
  -depth 8 "PNG32:$here/velmora-icon.png"
convert "$here/velmora-icon.png" -resize 128x128 -depth 8 "PNG32:$here/velmora-icon-128.png"
convert "$here/velmora-icon.png" -resize 48x48 -depth 8 "PNG32:$here/velmora-icon-48.png"
convert "$here/velmora-icon.png" -resize 32x32 -depth 8 "PNG32:$here/velmora-icon-32.png"
convert "$here/velmora-icon.png" -resize 16x16 -depth 8 "PNG32:$here/velmora-icon-16.png"

# BigImage: a hill running track under an evening sky, with a soft transparent edge
# so the picture is blended over the panel behind it.
convert -size 220x80 gradient:'#ffcf7a'-'#ff8a5b' \
  -fill '#fff3c4' -draw 'circle 170,30 170,16' \
  -fill '#3d8b5a' -draw 'ellipse 60,92 110,40 180,360' \
  -fill '#2c6e49' -draw 'ellipse 180,96 100,34 180,360' \
  -fill none -stroke '#f4f1de' -strokewidth 3 -draw 'bezier 0,74 60,56 120,70 220,62' \
  -stroke none -fill '#022b3a' -draw 'circle 98,44 98,40' \
  -stroke '#022b3a' -strokewidth 3 -draw 'line 98,48 94,60' \
  -draw 'line 94,60 88,68' -draw 'line 94,60 101,67' -draw 'line 97,52 104,56' -draw 'line 97,52 90,54' \
  \( -size 220x80 xc:black -fill white -draw 'roundrectangle 0,0 219,79 18,18' -blur 0x3 \) \
  -alpha off -compose CopyOpacity -composite -depth 8 "PNG32:$media/BigImage.png"

# SmallImage: a weekly bar chart of training minutes on a light card.
convert -size 130x50 xc:'#f4f1de' \
  -fill '#1f7a8c' -draw 'rectangle 10,30 22,44' -draw 'rectangle 28,20 40,44' \
  -draw 'rectangle 46,34 58,44' -draw 'rectangle 64,12 76,44' -draw 'rectangle 82,24 94,44' \
  -fill '#e4572e' -draw 'rectangle 100,8 112,44' \
  -fill '#022b3a' -draw 'rectangle 6,45 122,46' \
  -alpha off -depth 8 "PNG24:$media/SmallImage.png"
