# The Wine settings every run of Wine here shares, sourced by scripts/test-windows.sh,
# scripts/windows/wine-prefix.sh, the build's wine-run and the Wine roads: no debug output, and
# no prompt to install Mono or Gecko. A value the caller set stays. POSIX sh.
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEDEBUG WINEDLLOVERRIDES
