#!/usr/bin/env bash
# The help page and the vendor's pages of the real program: the installed
# help file is a page that stands alone (no network, every link inside it),
# Help > Contents hands its path to the shell, Check for Updates the
# download page on the configured vendor host. The shell's handlers are, for
# the test, the window tests' recorder; the prefix gets its own back.
source "$(dirname "$0")/lib.sh"

help_file="$VERBOLA_BUILD/Verbola/Help/Help.EN.html"
check "the help file is installed with the program" test -s "$help_file"

# Well-formed, in UTF-8, nothing loaded from elsewhere, every link inside the page.
help_report=$(python3 - "$help_file" <<'EOF'
import sys
from html.parser import HTMLParser
text = open(sys.argv[1], encoding="utf-8").read()
void = {"meta", "br", "img", "link", "hr", "input", "wbr"}
class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.open, self.ids, self.links, self.problems = [], set(), [], []
    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        if "id" in attributes:
            self.ids.add(attributes["id"])
        for name in ("src", "href"):
            value = attributes.get(name)
            if value is not None:
                if value.startswith("#"):
                    self.links.append(value[1:])
                else:
                    self.problems.append("refers outside the page: " + value)
        if tag not in void:
            self.open.append(tag)
    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.problems.append("unbalanced </%s> at line %d" % (tag, self.getpos()[0]))
        else:
            self.open.pop()
page = Page()
page.feed(text)
page.problems += ["unclosed <%s>" % tag for tag in page.open]
page.problems += ["no anchor #" + link for link in page.links if link not in page.ids]
page.problems += ["loads " + word for word in ("url(", "@import") if word in text]
for heading in ("headword list", "Ctrl</kbd>+<kbd>Insert", "notification area", "Options", "Configuration.dat"):
    if heading not in text:
        page.problems.append("says nothing of " + heading)
print("\n".join(page.problems) if page.problems else "fine")
EOF
)
check "the help page stands alone ($help_report)" equals "$help_report" fine

host=$(sed -n 's/^VERBOLA_VENDOR_HOST:STRING=//p' "$VERBOLA_BUILD/windows/CMakeCache.txt")
check "the build names a vendor host" test -n "$host"

# The recorder and its record live in a folder of this test's own.
recorder_folder=$(mktemp -d "${TMPDIR:-/tmp}/verbola-recorder.XXXXXX")
cp "$VERBOLA_BUILD/windows/tests/win/verbola_window_tests.exe" "$recorder_folder/"
windows_path() { echo "Z:$1" | tr / '\\'; }
record_file="$recorder_folder/shell-starts.txt"
handler="\"$(windows_path "$recorder_folder/verbola_window_tests.exe")\" --record \"$(windows_path "$record_file")\" \"%1\""

declare -A saved_handlers
for class in http htmlfile; do
  key="HKCR\\$class\\shell\\open\\command"
  saved_handlers[$class]=$("$WINE" reg query "$key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
  "$WINE" reg add "$key" /ve /d "$handler" /f >/dev/null 2>&1
done
restore_handlers() {
  local class
  for class in http htmlfile; do
    if [ -n "${saved_handlers[$class]}" ]; then
      "$WINE" reg add "HKCR\\$class\\shell\\open\\command" /ve /d "${saved_handlers[$class]}" /f >/dev/null 2>&1
    else
      "$WINE" reg delete "HKCR\\$class\\shell\\open\\command" /ve /f >/dev/null 2>&1
    fi
  done
  rm -rf "$recorder_folder"
}
trap restore_handlers EXIT

# The recorder writes "show<TAB>argument" per start.
recorded() { sed -n "${1}p" "$record_file" 2>/dev/null | tr -d '\r' | cut -f 2-; }
has_starts() { [ -f "$record_file" ] && [ "$(wc -l <"$record_file")" -ge "$1" ]; }

check "the program starts" start_program
probe command 167 >/dev/null
check "Help > Contents asks the shell to open a file" wait_for 10 has_starts 1
check "the help file beside the program" equals "$(recorded 1)" "$(windows_path "$E2E_FOLDER")\\Help\\Help.EN.html"
probe command 169 >/dev/null
check "Check for Updates asks the shell to open a page" wait_for 10 has_starts 2
update=$(recorded 2)
expected="http://$host/download_italian?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_"
check "the download page on $host, the blank kept, with the day count ($update)" \
  test "${update%_*}_" = "$expected" -a -n "$(echo "${update##*_}" | grep -x -- '-\?[0-9]\+')"
check "File > Exit ends the program with exit code 0" exit_program
finish
