# Checks on screenshots shared by the Linux and the Wine real-window tests; needs `fail`.

# Takes two shots of the card's window at $1,$2, half a second apart, keeps the first as $3 (in
# $4, the test folder) and checks snow over the nativity picture: a dark, detailed picture that
# changes as the flakes fall.
check_snow_over_nativity() {
  local x=$1 y=$2 keep=$3 dir=$4 mean deviation changed
  import -window root -crop "516x607+$x+$y" +repage "$dir/shot1.png"
  sleep 0.5
  import -window root -crop "516x607+$x+$y" +repage "$dir/shot2.png"
  cp "$dir/shot1.png" "$keep"
  read -r mean deviation < <(convert "$dir/shot1.png" -crop 516x520+0+40 -colorspace gray \
    -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
  awk -v m="$mean" -v d="$deviation" 'BEGIN { exit !(m > 0.05 && m < 0.45 && d > 0.05) }' ||
    fail "the window does not show the nativity picture (mean $mean, deviation $deviation)"
  changed=$(compare -metric AE "$dir/shot1.png" "$dir/shot2.png" null: 2>&1 || true)
  ((${changed%%.*} > 100)) || fail "no snow is falling ($changed pixels changed)"
  echo "window: 516x607 at $x,$y, picture mean $mean, $changed pixels changed by the snow"
}
