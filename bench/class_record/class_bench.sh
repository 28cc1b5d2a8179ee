#!/bin/sh
# The class benchmark: generates a class of 45 pupils' files (a school year
# each), imports them into a new class file, imports them all again, and
# times the class's tables on the command line.
#
#   sh bench/class_record/class_bench.sh BUILD_DIR [WORK_DIR]
set -eu
build=$1
work=${2:-$(mktemp -d)}
class=$work/班级.zorvel-class
rm -f "$class"
if [ ! -d "$work/files" ]; then
  "$build/bench/class_record/generate_class" "$work/files"
fi
tool=$build/tools/zorvel-class/zorvel-class
# Wall seconds, and the processor seconds of the run (user + system).
seconds() { python3 -c 'import sys,time,os,subprocess; t=time.monotonic(); subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=False); c=os.times(); print("%.2f (processor %.2f)" % (time.monotonic()-t, c.children_user+c.children_system))' "$@"; }
echo "files: $(ls "$work/files" | wc -l), $(du -sh "$work/files" | cut -f1)"
echo "first import:  $(seconds "$tool" --class "$class" import "$work"/files/*.zorvel) s"
echo "import again:  $(seconds "$tool" --class "$class" import "$work"/files/*.zorvel) s"
for table in pupils tests facts mistakes; do
  echo "$table: $(seconds "$tool" --class "$class" "$table") s"
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM=offscreen "$build/bench/class_record/class_window_bench" "$class" "${PDF_FOLDER:-}" 2>/dev/null
