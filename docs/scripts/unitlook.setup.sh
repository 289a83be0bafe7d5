# Set 7 compiles from fighter_ folders (its class's prefix): here the mage
# pictures stand in for a modder's own drawings of a new goblin.
mkdir -p "Unit Pics/7"
for action in walk attack stand; do
    cp -R "Unit Pics/mage_$action" "Unit Pics/7/fighter_$action"
done
