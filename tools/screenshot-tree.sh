# Sourced by the screenshot scripts: makes the tree they show.
#   make_screenshot_tree FOLDER [GENTREE_TOOL]
# The generator's mix of names (160 files in 14 folders, seed 7) when its
# program is there, else a few folders of Japanese and half-width names made
# here, with one file that differs in time only.
make_screenshot_tree() {
  local tree=$1 gentree=${2:-} d n
  if [[ -n $gentree && -x $gentree ]]; then
    "$gentree" "$tree" --seed 7 --files 160 --folders 14 >/dev/null
    return
  fi
  mkdir -p "$tree/総務/2025年度" "$tree/経理" "$tree/営業/顧客"
  for d in "$tree" "$tree/総務/2025年度" "$tree/経理" "$tree/営業/顧客"; do
    for n in 報告書.xlsx 議事録.docx ﾚﾎﾟｰﾄ.txt 見積書.pdf 写真.jpg; do
      head -c $((RANDOM % 900 + 10)) /dev/zero | tr '\0' x >"$d/$n"
      touch -d '2025-06-01 09:30:00' "$d/$n"
    done
  done
  touch -d '2025-07-02 14:00:00' "$tree/経理/議事録.docx"
}
