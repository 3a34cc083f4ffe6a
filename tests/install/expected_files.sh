# The files an installation of Velmar holds, relative to its prefix, one a
# line and sorted: expected_files SOURCE_DIR PROGRAM...
# The programs are the executables that were built; each brings its own files.
expected_files() {
    local source=$1
    shift
    local data=share/velmar/bin f program name component
    {
        echo share/velmar/Version.ini
        echo share/velmar/language/mysetup.ini
        for f in "$source"/data/language/*.ini "$source"/data/Init/* "$source"/data/PIC/* \
            "$source"/data/demo/*; do
            f=${f#"$source"/data/}
            [ "$f" = language/mysetup.ini ] || echo "$data/$f"
        done
        echo lib/udev/rules.d/60-velmar-cables.rules
        for program; do
            echo "bin/$program"
            case $program in
            Velmar) name=velmar component=org.velmar.Velmar ;;
            VelmarSetFactory)
                name=velmar-setfactory component=org.velmar.VelmarSetFactory
                echo "$data/mysetup.ini"
                ;;
            velmar-demo)
                echo "share/man/man1/$program.1"
                echo "share/applications/$program.desktop"
                continue
                ;;
            *)
                echo "share/man/man1/$program.1"
                [ "$program" != velmar-cli ] || echo share/bash-completion/completions/velmar-cli
                continue
                ;;
            esac
            echo "share/applications/$name.desktop"
            echo "share/metainfo/$component.metainfo.xml"
            echo "share/icons/hicolor/scalable/apps/$name.svg"
            for f in 48x48 128x128 256x256; do
                echo "share/icons/hicolor/$f/apps/$name.png"
            done
        done
    } | LC_ALL=C sort
}
